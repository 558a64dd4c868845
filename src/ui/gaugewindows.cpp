#include "ui/gaugewindows.h"

#include "ui/frmcgggkk.h"

GaugeWindows::GaugeWindows(Prompts &prompts) : m_prompts(prompts) {}

GaugeWindows::~GaugeWindows()
{
    closeAll();
}

void GaugeWindows::show(int i)
{
    if (i < 0 || i > 2)
        return;
    if (i != GaugeTableIndex) {
        closeAll();
        GaugeTableIndex = quint8(i);
    }
    if (!m_window) {
        // No owner: the window stands beside the main window, not on top of it.
        m_window = new FrmCGGGKK(m_prompts, GaugeTableIndex);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void GaugeWindows::closeAll()
{
    if (!m_window)
        return;
    m_window->close();
    // Closing only schedules the deletion; the window must be gone before a new one loads.
    delete m_window.data();
}

FrmCGGGKK *GaugeWindows::window() const
{
    return m_window.data();
}
