#include "shell/qt/return_press.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace tallyvane {

namespace {

class ReturnPress : public QObject {
public:
    explicit ReturnPress(QPushButton& button) : QObject(&button) { button.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->modifiers() & ~Qt::KeypadModifier) {
            return false;
        }
        auto* button = static_cast<QPushButton*>(watched);
        if (!button->isEnabled()) return false;
        button->animateClick();
        return true;
    }
};

}  // namespace

void pressOnReturn(QPushButton& button) { new ReturnPress(button); }

}  // namespace tallyvane
