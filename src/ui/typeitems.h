#pragma once

#include "catalogue/typetable.h"

#include <array>

class QAction;
class QActionGroup;
class QComboBox;
class QMenu;
class QObject;

// Creates the menu items of types 1… in front of `before` in `menu`, in `group`, and their
// entries in the type list `list`. Each group of types follows a separator: the types from
// `buttonedTypes` on (they have no toolbar button), and the lookups. An entry's data is its type index, since
// the separators take places in the list. `items` receives the menu items; entry 0 is left as it is.
void addTypeItems(QMenu *menu, QAction *before, QActionGroup *group, QComboBox *list,
                  std::array<QAction *, CalculationTypeCount> &items, int buttonedTypes, QObject *owner);

// The place of type `index` in the type list, and the type at a place.
int typeListPlace(const QComboBox *list, int index);
int typeAtListPlace(const QComboBox *list, int place);
