#pragma once

#include <QString>

#include <optional>

class QPagedPaintDevice;
class QWidget;

// The printed list: a rich-text document laid out on the pages of a printer or a PDF file,
// A4 portrait, each page with its number ("第 1 页，共 3 页") at the foot.
namespace MaterialListPrint {

// Lays `html` out on the pages of `device` and paints them.
void paintPages(const QString &html, QPagedPaintDevice *device);

// Writes the pages as a PDF file (Qt's own PDF writer: no print support needed). The reason
// on failure.
std::optional<QString> writePdf(const QString &path, const QString &html, const QString &title);

enum class PrintResult { Printed, Cancelled, NoPrinter, Unavailable };

// The print dialog, from the print module beside the program, loaded at the first call;
// NoPrinter when the system's dialog cannot open for want of a printer; Unavailable (and the
// reason in `error`) when the module cannot be loaded.
PrintResult print(QWidget *parent, const QString &html, const QString &title, QString *error);

// Where the print module is looked for: the program's folder, unless set (tests).
QString moduleFolder();
void setModuleFolder(const QString &folder);

} // namespace MaterialListPrint
