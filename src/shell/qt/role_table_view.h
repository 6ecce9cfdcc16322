#pragma once
// One table of role check boxes: a row per role of the controller's table, titled with the
// role. A click is forwarded as the row's toggle; the states shown are always the table's.

#include <QTableWidget>

#include "shell/role_tables.h"

namespace tallyvane {

class RoleTableView : public QTableWidget {
    Q_OBJECT
public:
    explicit RoleTableView(QWidget* parent = nullptr);

    void render(const RoleTable& table);

signals:
    void rowToggled(int row);
};

}  // namespace tallyvane
