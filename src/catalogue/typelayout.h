#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// How the weight calculator lays out its input rows for one part type. Rows are the input
// rows 0..3 (label LabSM(k) before box CombSR(k)); every row not listed stays hidden.
struct TypeLayout
{
    struct RowCaption
    {
        int row = 0;
        QString caption;
    };
    struct RowText
    {
        int row = 0;
        QString text;
    };

    QList<RowCaption> shownRows; // the size box comes first
    QList<RowText> defaultTexts; // texts put into the boxes other than the size box
    QString sizeBoxToolTip;
    QString unitWeightToolTip; // tooltip of LabDanZhong: the format of the size text
    int sizeBoxIndex = 0;
    // The size-box entry selected after loading; -1 when it is chosen by its text instead.
    int defaultEntry = -1;
    QString defaultEntryText;
    QStringList subTypes; // entries of CombLeiXing; empty when the type has no sub-types
    int selectedSubType = -1;
    std::array<QString, 3> notes;
};

// The layout of part type 1..12; an empty layout (no rows shown) for any other index.
const TypeLayout &typeLayout(int type);
