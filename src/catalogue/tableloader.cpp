#include "catalogue/tableloader.h"

#include <algorithm>
#include <cmath>

namespace {
const QString CheckTitle = QStringLiteral("注意");
const QString CountMismatch = QStringLiteral("参数数量不对等，请检查参数！");

Notice mismatch(const QString &text)
{
    return {MessageIcon::Exclamation, CheckTitle, text};
}

Notices lengthNotices(LengthCheck check, const QStringList &sizes, const QStringList *column1,
                      const QStringList *column2)
{
    const auto differs = [&sizes](const QStringList *list) { return list && list->size() != sizes.size(); };
    Notices notices;
    switch (check) {
    case LengthCheck::None:
        break;
    case LengthCheck::OneForAll:
        if (differs(column1) || differs(column2))
            notices.append(mismatch(CountMismatch));
        break;
    case LengthCheck::PerList:
        for (const QStringList *list : {column1, column2}) {
            if (differs(list))
                notices.append(mismatch(CountMismatch));
        }
        break;
    case LengthCheck::Column1:
    case LengthCheck::Column2: {
        // The column the weight depends on: unit weights of beams, the radius of angles.
        const QStringList *checked = check == LengthCheck::Column2 ? column2 : column1;
        if (differs(checked)) {
            notices.append(mismatch(QStringLiteral("  ") + CountMismatch + QStringLiteral("\r\n\r\nStrA=") +
                                    QString::number(sizes.size() - 1) + QStringLiteral("；\r\n\r\nStrb=") +
                                    QString::number(checked->size() - 1)));
        }
        break;
    }
    }
    return notices;
}

QStringList listItems(QStringView list)
{
    return list.isNull() ? QStringList() : list.toString().split(u';');
}

// Fills the size box of a type without a part table.
LoadedTable loadSizeEntries(CalculationType type, const SizeEntryLists &lists)
{
    LoadedTable loaded;
    loaded.sizeEntries = listItems(lists.quiet);
    for (const QStringView list : lists.loaded) {
        const QStringList items = listItems(list);
        const int last = static_cast<int>(items.size()) - 1;
        for (int r = 0; r <= last; ++r) {
            loaded.sizeEntries.append(items[r]);
            loaded.loadingTexts.append(loadingText(type, r, last));
        }
    }
    return loaded;
}

int defaultEntryOf(const CalculationTypeRecord &record, const QStringList &entries);

// Fills the size box of a section type from its table or size series.
LoadedTable loadSectionEntries(CatalogueState &state, const CalculationTypeRecord &record)
{
    state.SizeBoxIndex = record.sizeBoxIndex;
    state.PickedRow = -1;
    LoadedTable loaded;
    loaded.sizeEntries = sectionSizeEntries(*record.section.type);
    const int last = static_cast<int>(loaded.sizeEntries.size()) - 1;
    for (int r = 0; r <= last; ++r)
        loaded.loadingTexts.append(loadingText(record.type, r, last));
    loaded.defaultEntry = defaultEntryOf(record, loaded.sizeEntries);
    loaded.dependentEntries = dependentEntries(record.type, loaded.defaultEntry);
    return loaded;
}

int defaultEntryOf(const CalculationTypeRecord &record, const QStringList &entries)
{
    if (!record.defaultEntryText.isEmpty())
        return static_cast<int>(entries.indexOf(record.defaultEntryText));
    return record.defaultEntry < entries.size() ? record.defaultEntry : -1;
}
} // namespace

QString loadingText(CalculationType type, int row, int lastRow)
{
    return QStringLiteral("正在载入 ") + loadingName(type) + QStringLiteral(" 数据:") + QString::number(row) +
           u'/' + QString::number(lastRow);
}

QStringList dependentEntries(CalculationType type, int sizeEntry)
{
    const SectionWiring &section = typeRecord(type).section;
    if (!section.type || section.dependentBox < 0)
        return {};
    return sectionSecondEntries(*section.type, sizeEntry);
}

int dependentEntryFor(const QStringList &entries, double value)
{
    int best = -1;
    double bestDistance = 0;
    for (int i = 0; i < entries.size(); ++i) {
        // Entries are table numbers; QString::toDouble reads them without the locale.
        const double distance = std::fabs(entries[i].toDouble() - value);
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

LoadedTable loadPartLists(CatalogueState &state, CalculationType type, const PartLists &lists)
{
    const CalculationTypeRecord &record = typeRecord(type);
    const QStringList sizes = lists.sizes.toString().split(u';');
    const QStringList column1 = lists.column1.toString().split(u';');
    const QStringList column2 = lists.column2.toString().split(u';');
    const QStringList *values1 = lists.column1.isNull() ? nullptr : &column1;
    const QStringList *values2 = lists.column2.isNull() ? nullptr : &column2;

    state.SizeBoxIndex = record.sizeBoxIndex;
    LoadedTable loaded;
    loaded.notices = lengthNotices(record.lengthCheck, sizes, values1, values2);

    // Every size-box entry must have its row: a longer list is cut to the table.
    const int rows = std::min(static_cast<int>(sizes.size()), PartTableRows);
    state.LastRow = rows - 1;

    const QString prefix = record.entryPrefix.toString();
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
    loaded.defaultEntry = defaultEntryOf(record, sizes.mid(0, rows));
    return loaded;
}

LoadedTable loadTable(CatalogueState &state, CalculationType type, int subType)
{
    const CalculationTypeRecord &record = typeRecord(type);
    if (record.section.type)
        return loadSectionEntries(state, record);
    if (record.entries) {
        state.SizeBoxIndex = record.sizeBoxIndex;
        LoadedTable loaded = loadSizeEntries(type, *record.entries);
        loaded.defaultEntry = defaultEntryOf(record, loaded.sizeEntries);
        return loaded;
    }
    const PartLists *table = partTableOf(record, subType);
    if (!table)
        return {};
    return loadPartLists(state, type, *table);
}

LoadedTable selectCatalogueType(CatalogueState &state, CalculationType type)
{
    state.CurrentType = type;
    const CalculationTypeRecord &record = typeRecord(type);
    if (record.weightRule == WeightRule::None)
        return {};
    if (record.section.type) {
        state.TypeNotes = sectionNotes(*record.section.type);
    } else {
        for (std::size_t i = 0; i < state.TypeNotes.size(); ++i)
            state.TypeNotes[i] = record.notes[i].toString();
    }
    return loadTable(state, type, record.selectedSubType);
}
