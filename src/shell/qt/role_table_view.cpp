#include "shell/qt/role_table_view.h"

#include <QCheckBox>
#include <QHeaderView>

namespace tallyvane {

namespace {

// A button reads "&" as the mark of its keyboard mnemonic: "M&E" would show as "ME" and
// Alt+E would toggle the role. Doubled, it is shown as it is and grabs no key.
QString buttonTitle(const std::string& roleName) { return QString::fromStdString(roleName).replace('&', "&&"); }

}  // namespace

RoleTableView::RoleTableView(QWidget* parent) : QTableWidget(0, 1, parent) {
    horizontalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    // Tab moves on to the next control; the check boxes themselves take the focus, the
    // table around them none.
    setTabKeyNavigation(false);
    setFocusPolicy(Qt::NoFocus);
}

bool RoleTableView::render(const RoleTable& table) {
    const auto& rows = table.rows();
    bool sameRows = rowCount() == static_cast<int>(rows.size());
    for (int row = 0; sameRows && row < rowCount(); ++row) {
        const auto* box = qobject_cast<QCheckBox*>(cellWidget(row, 0));
        sameRows = box != nullptr && box->text() == buttonTitle(rows[static_cast<std::size_t>(row)].roleName);
    }
    if (!sameRows) {
        setRowCount(0);
        setRowCount(static_cast<int>(rows.size()));
        for (int row = 0; row < rowCount(); ++row) {
            const std::string& name = rows[static_cast<std::size_t>(row)].roleName;
            auto* box = new QCheckBox(buttonTitle(name));
            // A name the table's width cuts shows whole, on one line: as rich text that keeps
            // its spaces (plain text would wrap too), so that no markup in it is rendered.
            box->setToolTip("<p style='white-space:pre'>" + QString::fromStdString(name).toHtmlEscaped() + "</p>");
            // `clicked` is the user's alone; setting the state below sends nothing.
            connect(box, &QCheckBox::clicked, this, [this, row] { emit rowToggled(row); });
            setCellWidget(row, 0, box);
        }
    }
    for (int row = 0; row < rowCount(); ++row) {
        auto* box = qobject_cast<QCheckBox*>(cellWidget(row, 0));
        box->setChecked(rows[static_cast<std::size_t>(row)].isChecked);
    }
    return !sameRows;
}

std::vector<QWidget*> RoleTableView::rowBoxes() const {
    std::vector<QWidget*> boxes;
    for (int row = 0; row < rowCount(); ++row) boxes.push_back(cellWidget(row, 0));
    return boxes;
}

}  // namespace tallyvane
