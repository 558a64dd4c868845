#include "ui/elidedlinelabel.h"

#include <QPainter>

QStringList ElidedLineLabel::shownLines() const
{
    const QFontMetrics metrics = fontMetrics();
    const int width = contentsRect().width();
    QStringList lines = text().split(u'\n');
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        line = metrics.elidedText(line, Qt::ElideRight, width);
    }
    return lines;
}

void ElidedLineLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect area = contentsRect();
    const int lineHeight = fontMetrics().lineSpacing();
    int top = area.top();
    for (const QString &line : shownLines()) {
        painter.drawText(QRect(area.left(), top, area.width(), lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         line);
        top += lineHeight;
    }
}
