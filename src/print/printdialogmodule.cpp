// The print dialog and the printer, in a module of their own: Qt's print support brings the
// printing system's libraries with it, and the program loads this module only when the user
// first prints, so that its start-up does not pay for them.

#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>

#include <functional>

// Shows the print dialog for a printer set to A4 portrait; when the user accepts, `paint`
// paints the pages on it. Returns 1 when printed, 0 when the user cancelled, 2 when there was
// no dialog to show: Windows' own print dialog refuses to open without a printer installed.
extern "C" Q_DECL_EXPORT int vardekoPrint(QWidget *parent, const QString *documentName,
                                          const std::function<void(QPagedPaintDevice *)> *paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(*documentName);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("printDialog"));
    // Qt's own dialog (Linux) also offers a PDF file when there is no printer, and shows.
    bool shown = false;
    QTimer::singleShot(0, &dialog, [&] { shown = dialog.isVisible(); });
    if (dialog.exec() != QDialog::Accepted)
        return !shown && QPrinterInfo::availablePrinterNames().isEmpty() ? 2 : 0;
    (*paint)(&printer);
    return 1;
}
