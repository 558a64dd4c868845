#include "ui/materiallistprint.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <functional>

namespace MaterialListPrint {
namespace {

QString &folderOverride()
{
    static QString folder;
    return folder;
}

using PrintFunction = int (*)(QWidget *, const QString *, const std::function<void(QPagedPaintDevice *)> *);

} // namespace

void paintPages(const QString &html, QPagedPaintDevice *device)
{
    QTextDocument document;
    document.documentLayout()->setPaintDevice(device);
    document.setHtml(html);
    document.setDocumentMargin(0);

    QPainter painter(device);
    const QRectF area = device->pageLayout().paintRectPixels(device->logicalDpiX());
    const QFont footerFont(document.defaultFont(), device);
    const qreal footerHeight = 2 * QFontMetricsF(footerFont).height();
    const QSizeF page(area.width(), area.height() - footerHeight);
    // A paginated document repeats the table's header row on every page.
    document.setPageSize(page);
    const int pages = document.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            device->newPage();
        const QRectF shown(0, i * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -shown.top());
        painter.setClipRect(shown);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = shown;
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        painter.setFont(footerFont);
        painter.drawText(QRectF(0, page.height(), page.width(), footerHeight), Qt::AlignCenter,
                         QStringLiteral("第 %1 页，共 %2 页").arg(i + 1).arg(pages));
    }
}

std::optional<QString> writePdf(const QString &path, const QString &html, const QString &title)
{
    {
        // QPdfWriter says nothing when it cannot write: find out first.
        QFile probe(path);
        const bool existed = probe.exists();
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Append))
            return probe.errorString();
        probe.close();
        if (!existed)
            probe.remove();
    }
    QPdfWriter writer(path);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Vardeko"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter));
    paintPages(html, &writer);
    return std::nullopt;
}

PrintResult print(QWidget *parent, const QString &html, const QString &title, QString *error)
{
    static QLibrary module;
    if (!module.isLoaded()) {
        // Without a suffix: QLibrary adds the system's own (.dll, .so).
        module.setFileName(QDir(moduleFolder()).filePath(QStringLiteral("vardeko_print")));
        if (!module.load()) {
            *error = module.errorString();
            return PrintResult::Unavailable;
        }
    }
    const auto printWith = reinterpret_cast<PrintFunction>(module.resolve("vardekoPrint"));
    if (!printWith) {
        *error = module.errorString();
        return PrintResult::Unavailable;
    }
    const std::function<void(QPagedPaintDevice *)> paint = [&html](QPagedPaintDevice *device) {
        paintPages(html, device);
    };
    switch (printWith(parent, &title, &paint)) {
    case 1:
        return PrintResult::Printed;
    case 2:
        return PrintResult::NoPrinter;
    default:
        return PrintResult::Cancelled;
    }
}

QString moduleFolder()
{
    return folderOverride().isEmpty() ? QCoreApplication::applicationDirPath() : folderOverride();
}

void setModuleFolder(const QString &folder)
{
    folderOverride() = folder;
}

} // namespace MaterialListPrint
