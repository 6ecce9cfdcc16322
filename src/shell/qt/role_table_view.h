#pragma once
// One table of role check boxes: a row per role of the controller's table, titled with the
// role. A click is forwarded as the row's toggle; the states shown are always the table's.

#include <QTableWidget>

#include <vector>

#include "shell/role_tables.h"

namespace tallyvane {

class RoleTableView : public QTableWidget {
    Q_OBJECT
public:
    explicit RoleTableView(QWidget* parent = nullptr);

    // Shows the table's rows, one check box each; true when the rows themselves changed (and
    // with them the boxes), not only their states.
    bool render(const RoleTable& table);
    // The rows' check boxes, top to bottom: they take the focus, the table none.
    std::vector<QWidget*> rowBoxes() const;

signals:
    void rowToggled(int row);
};

}  // namespace tallyvane
