#include "shell/qt/drop_refusing_view.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>

namespace tallyvane {

DropRefusingView::DropRefusingView(QWidget* parent) : QWidget(parent) {
    // Being transparent to the mouse, it lets Qt hand most drags to the control beneath,
    // and none of the window's controls takes a drop; a drag that does come here is
    // turned away rather than passed on to a parent that might take it.
    setAcceptDrops(true);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void DropRefusingView::dragEnterEvent(QDragEnterEvent* event) {
    isReceivingDrag_ = false;
    event->setDropAction(Qt::IgnoreAction);
    event->ignore();
    update();
}

void DropRefusingView::dragMoveEvent(QDragMoveEvent* event) {
    event->setDropAction(Qt::IgnoreAction);
    event->ignore();
}

void DropRefusingView::dragLeaveEvent(QDragLeaveEvent* event) {
    isReceivingDrag_ = false;
    event->accept();
    update();
}

void DropRefusingView::dropEvent(QDropEvent* event) {
    event->setDropAction(Qt::IgnoreAction);
    event->ignore();
}

}  // namespace tallyvane
