// Renders the toolbar images and the gauge window's panels to PNG files for a visual check:
//   ui_sheets <output folder>
#include "platform/recordingprompts.h"
#include "ui/frmcgggkk.h"
#include "ui/typeicons.h"

#include "catalogue/typetable.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>

#include <cstdio>

namespace {

bool writeIconSheet(const QString &path)
{
    const QList<int> sizes{16, 24, 32, 48, 64};
    const int cell = 72;
    QPixmap sheet(CalculationTypeCount * cell + 40, int(sizes.size()) * cell);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (qsizetype row = 0; row < sizes.size(); ++row) {
        const int s = sizes[row];
        painter.drawText(QRect(0, int(row) * cell, 40, cell), Qt::AlignCenter, QString::number(s));
        for (int type = 0; type < CalculationTypeCount; ++type) {
            const QPixmap pm = typeIcon(calculationTypeAt(type)).pixmap(QSize(s, s));
            painter.drawPixmap(40 + type * cell + (cell - s) / 2, int(row) * cell + (cell - s) / 2, pm);
        }
    }
    painter.end();
    return sheet.save(path);
}

// One panel of the gauge window with a row chosen, as the user sees it.
bool writeGaugePanel(const QString &path, quint8 kind, const char *list, int row)
{
    RecordingPrompts prompts;
    quint8 index = kind;
    FrmCGGGKK window(prompts, index);
    window.show();
    auto *rows = window.findChild<QListWidget *>(QLatin1String(list));
    if (!rows)
        return false;
    rows->setCurrentRow(row);
    QApplication::processEvents();
    return window.grab().save(path);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: ui_sheets <output folder>\n", stderr);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path()))
        return 1;
    bool ok = writeIconSheet(out.filePath(QStringLiteral("icons.png")));
    // Each icon alone at 2x, as a high-density toolbar asks for it.
    QPixmap big = typeIcon(CalculationType::IBeam).pixmap(QSize(32, 32), 2.0);
    ok = big.save(out.filePath(QStringLiteral("icon-ibeam@2x.png"))) && ok;
    ok = writeGaugePanel(out.filePath(QStringLiteral("gauge-channel.png")), 0, "LstCG", 4) && ok;
    ok = writeGaugePanel(out.filePath(QStringLiteral("gauge-ibeam.png")), 1, "LstGZG", 0) && ok;
    ok = writeGaugePanel(out.filePath(QStringLiteral("gauge-angle.png")), 2, "LstJG", 6) && ok;
    return ok ? 0 : 1;
}
