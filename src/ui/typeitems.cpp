#include "ui/typeitems.h"

#include "catalogue/catalogue.h"
#include "ui/typeicons.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QMenu>

void addTypeItems(QMenu *menu, QAction *before, QActionGroup *group, QComboBox *list,
                  std::array<QAction *, CalculationTypeCount> &items, int buttonedTypes, QObject *owner)
{
    const QStringList names = calculationTypeCaptions();
    for (int i = 1; i < CalculationTypeCount; ++i) {
        const CalculationTypeRecord &record = TypeRecords[i];
        const bool groupStarts = i == buttonedTypes || (isLookup(record) && !isLookup(TypeRecords[i - 1]));
        if (groupStarts) {
            menu->insertSeparator(before);
            list->insertSeparator(list->count());
        }
        const QIcon icon = typeIcon(record.type);
        auto *item = new QAction(icon, names.at(i), owner);
        item->setObjectName(QStringLiteral("MnuJS(%1)").arg(i));
        item->setCheckable(true);
        item->setData(i);
        menu->insertAction(before, item);
        group->addAction(item);
        items[static_cast<std::size_t>(i)] = item;
        list->addItem(icon, names.at(i), i);
    }
}

int typeListPlace(const QComboBox *list, int index)
{
    return list->findData(index);
}

int typeAtListPlace(const QComboBox *list, int place)
{
    bool ok = false;
    const int index = list->itemData(place).toInt(&ok);
    return ok ? index : -1;
}
