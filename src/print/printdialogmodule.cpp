// The print dialog and the printer, in a module of their own: Qt's print support brings the
// printing system's libraries with it, and the program loads this module only when the user
// first prints, so that its start-up does not pay for them.

#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

#include <functional>

// Shows the print dialog for a printer set to A4 portrait; when the user accepts, `paint`
// paints the pages on it. Returns 1 when printed, 0 when the user cancelled.
extern "C" Q_DECL_EXPORT int vardekoPrint(QWidget *parent, const QString *documentName,
                                          const std::function<void(QPagedPaintDevice *)> *paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(*documentName);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("printDialog"));
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    (*paint)(&printer);
    return 1;
}
