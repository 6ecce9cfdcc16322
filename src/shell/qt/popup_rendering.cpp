#include "shell/qt/popup_rendering.h"

#include <QSignalBlocker>

namespace tallyvane {

void renderPopup(QComboBox& popup, const PopupMenu& menu) {
    const QSignalBlocker blocker(popup);
    bool same = popup.count() == static_cast<int>(menu.size());
    for (int index = 0; same && index < popup.count(); ++index) {
        same = popup.itemText(index) == QString::fromStdString(menu.titles()[static_cast<std::size_t>(index)]);
    }
    if (!same) {
        popup.clear();
        for (const std::string& title : menu.titles()) popup.addItem(QString::fromStdString(title));
    }
    const auto selected = menu.selectedIndex();
    popup.setCurrentIndex(selected ? static_cast<int>(*selected) : -1);
}

}  // namespace tallyvane
