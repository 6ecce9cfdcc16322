#include "shell/qt/popup_rendering.h"

#include <QSignalBlocker>

namespace tallyvane {

void renderPopup(QComboBox& popup, const PopupMenu& menu, std::string_view separatorTitle) {
    const QSignalBlocker blocker(popup);
    const auto isSeparator = [&](const std::string& title) { return !separatorTitle.empty() && title == separatorTitle; };
    bool same = popup.count() == static_cast<int>(menu.size());
    for (int index = 0; same && index < popup.count(); ++index) {
        const std::string& title = menu.titles()[static_cast<std::size_t>(index)];
        same = popup.itemText(index) == (isSeparator(title) ? QString() : QString::fromStdString(title));
    }
    if (!same) {
        popup.clear();
        for (const std::string& title : menu.titles()) {
            // A separator keeps its place, so the popup's indices stay the menu's.
            if (isSeparator(title)) {
                popup.insertSeparator(popup.count());
            } else {
                popup.addItem(QString::fromStdString(title));
            }
        }
    }
    const auto selected = menu.selectedIndex();
    popup.setCurrentIndex(selected ? static_cast<int>(*selected) : -1);
}

}  // namespace tallyvane
