#pragma once
// A transparent view over the main window that turns every drag away, so that no document
// is opened by dropping it, and lets mouse clicks through to the controls beneath it.

#include <QWidget>

namespace tallyvane {

class DropRefusingView : public QWidget {
    Q_OBJECT
public:
    explicit DropRefusingView(QWidget* parent = nullptr);

    // Never true: no drag is taken, so nothing is ever highlighted.
    bool isReceivingDrag() const noexcept { return isReceivingDrag_; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool isReceivingDrag_ = false;
};

}  // namespace tallyvane
