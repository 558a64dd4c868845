#include "catalogue/tableloader.h"

#include "catalogue/typelayout.h"
#include "platform/prompts.h"

#include <algorithm>

namespace {
const QString CheckTitle = QStringLiteral("注意");
const QString CountMismatch = QStringLiteral("参数数量不对等，请检查参数！");

// How a type reports value lists whose length differs from its size list.
enum class LengthCheck {
    None,      // no value list is checked
    OneForAll, // one message however many lists differ
    PerList,   // one message for each list that differs
    Detailed   // one list checked; the message names both last indexes
};

LengthCheck lengthCheckOf(int type)
{
    switch (type) {
    case 1:
    case 2:
    case 3:
    case 4:
        return LengthCheck::OneForAll;
    case 5:
    case 6:
        return LengthCheck::PerList;
    case 7:
    case 8:
    case 11:
        return LengthCheck::Detailed;
    default:
        return LengthCheck::None;
    }
}

void checkLengths(int type, const QStringList &sizes, const QStringList *column1, const QStringList *column2,
                  Prompts &prompts)
{
    const auto differs = [&sizes](const QStringList *list) { return list && list->size() != sizes.size(); };
    switch (lengthCheckOf(type)) {
    case LengthCheck::None:
        return;
    case LengthCheck::OneForAll:
        if (differs(column1) || differs(column2))
            prompts.message(MessageIcon::Exclamation, CheckTitle, CountMismatch);
        return;
    case LengthCheck::PerList:
        for (const QStringList *list : {column1, column2}) {
            if (differs(list))
                prompts.message(MessageIcon::Exclamation, CheckTitle, CountMismatch);
        }
        return;
    case LengthCheck::Detailed: {
        // The unit weights of beams and the radius of angles are what the weight depends on.
        const QStringList *checked = type == 11 ? column2 : column1;
        if (differs(checked)) {
            const QString text = QStringLiteral("  ") + CountMismatch + QStringLiteral("\r\n\r\nStrA=") +
                                 QString::number(sizes.size() - 1) + QStringLiteral("；\r\n\r\nStrb=") +
                                 QString::number(checked->size() - 1);
            prompts.message(MessageIcon::Exclamation, CheckTitle, text);
        }
        return;
    }
    }
}

QString entryPrefix(int type)
{
    if (type == 7)
        return QStringLiteral("Ⅰ");
    if (type == 8)
        return QStringLiteral("[");
    return QString();
}

// Adds the items of one list to the size box, with a loading text for each of them.
void addListedEntries(LoadedTable &loaded, int type, QStringView list)
{
    const QStringList items = list.toString().split(u';');
    const int last = static_cast<int>(items.size()) - 1;
    for (int r = 0; r <= last; ++r) {
        loaded.sizeEntries.append(items[r]);
        loaded.loadingTexts.append(loadingText(type, r, last));
    }
}

LoadedTable loadRoundBar()
{
    LoadedTable loaded;
    loaded.sizeEntries = {QStringLiteral("5.5"), QStringLiteral("6"), QStringLiteral("6.5")};
    for (int diameter = 7; diameter <= 36; ++diameter)
        loaded.sizeEntries.append(QString::number(diameter));
    addListedEntries(loaded, 9, RoundBarListedDiameters);
    return loaded;
}

LoadedTable loadPlate()
{
    LoadedTable loaded;
    addListedEntries(loaded, 10, PlateThicknessesToTwenty);
    addListedEntries(loaded, 10, PlateThicknessesAboveTwenty);
    return loaded;
}

int defaultEntryOf(int type, const QStringList &entries)
{
    const TypeLayout &layout = typeLayout(type);
    if (!layout.defaultEntryText.isEmpty())
        return static_cast<int>(entries.indexOf(layout.defaultEntryText));
    return layout.defaultEntry < entries.size() ? layout.defaultEntry : -1;
}
} // namespace

QString loadingText(int type, int row, int lastRow)
{
    return QStringLiteral("正在载入 ") + loadingName(type) + QStringLiteral(" 数据:") + QString::number(row) +
           u'/' + QString::number(lastRow);
}

LoadedTable loadPartLists(CatalogueState &state, int type, const PartLists &lists, Prompts &prompts)
{
    const QStringList sizes = lists.sizes.toString().split(u';');
    const QStringList column1 = lists.column1.toString().split(u';');
    const QStringList column2 = lists.column2.toString().split(u';');
    const QStringList *values1 = lists.column1.isNull() ? nullptr : &column1;
    const QStringList *values2 = lists.column2.isNull() ? nullptr : &column2;

    state.SizeBoxIndex = typeLayout(type).sizeBoxIndex;
    checkLengths(type, sizes, values1, values2, prompts);

    // Every size-box entry must have its row: a longer list is cut to the table.
    const int rows = std::min(static_cast<int>(sizes.size()), PartTableRows);
    state.LastRow = rows - 1;

    LoadedTable loaded;
    const QString prefix = entryPrefix(type);
    for (int r = 0; r < rows; ++r) {
        PartRow &row = state.PartTable[static_cast<std::size_t>(r)];
        row.label = sizes[r];
        // A column the table does not fill keeps what an earlier table left there.
        if (values1)
            row.value1 = values1->value(r);
        if (values2)
            row.value2 = values2->value(r);
        loaded.sizeEntries.append(prefix + sizes[r]);
        loaded.loadingTexts.append(loadingText(type, r, state.LastRow));
    }
    loaded.defaultEntry = defaultEntryOf(type, sizes.mid(0, rows));
    return loaded;
}

LoadedTable loadTable(CatalogueState &state, int type, int subType, Prompts &prompts)
{
    if (type == 9 || type == 10) {
        state.SizeBoxIndex = 1;
        LoadedTable loaded = type == 9 ? loadRoundBar() : loadPlate();
        loaded.defaultEntry = defaultEntryOf(type, loaded.sizeEntries);
        return loaded;
    }
    const PartLists lists = builtInPartLists(type, subType);
    if (lists.sizes.isNull())
        return {};
    return loadPartLists(state, type, lists, prompts);
}

LoadedTable selectCatalogueType(CatalogueState &state, int type, Prompts &prompts)
{
    state.CurrentType = type;
    if (type < 1 || type >= CalculationTypeCount)
        return {};
    const TypeLayout &layout = typeLayout(type);
    state.TypeNotes = layout.notes;
    return loadTable(state, type, layout.selectedSubType, prompts);
}
