#pragma once

#include <QPointer>

class FrmCGGGKK;
class Prompts;

// The gauge-table window as the main window's menu opens it. One window at most; it remembers
// the table kind shown (0 channel, 1 I-beam, 2 angle), which the window's own option buttons
// also change.
class GaugeWindows
{
public:
    explicit GaugeWindows(Prompts &prompts);
    ~GaugeWindows();

    GaugeWindows(const GaugeWindows &) = delete;
    GaugeWindows &operator=(const GaugeWindows &) = delete;

    // Shows table kind `i` (0 to 2; anything else is ignored). The kind already shown only
    // brings the window forward, creating it when it is closed; another kind closes the
    // window and opens it again so that it loads with that kind.
    void show(int i);

    // Closes the window, if open (the main window does so when it closes).
    void closeAll();

    quint8 gaugeTableIndex() const { return GaugeTableIndex; }
    // The open window, or nullptr.
    FrmCGGGKK *window() const;

private:
    Prompts &m_prompts;
    quint8 GaugeTableIndex = 0;
    QPointer<FrmCGGGKK> m_window;
};
