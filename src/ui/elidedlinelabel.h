#pragma once

#include <QLabel>
#include <QStringList>

// A label of plain-text lines, each cut with "…" where it would run past the label's right
// edge: a unit-weight line made long by a typed size then ends visibly short instead of being
// clipped in the middle of a number. text() keeps the whole text.
class ElidedLineLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

    // The lines as drawn at the label's present width.
    QStringList shownLines() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
