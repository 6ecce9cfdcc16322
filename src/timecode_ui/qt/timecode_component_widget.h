#pragma once
// One component of a timecode field: draws the component's text and forwards keys,
// focus, hover, clicks and pastes to the field.

#include <QWidget>

#include "timecode_ui/qt/rejection_animator.h"
#include "timecode_ui/timecode_field_model.h"

namespace tallyvane {

class TimecodeFieldWidget;

class TimecodeComponentWidget : public QWidget {
    Q_OBJECT
public:
    TimecodeComponentWidget(Timecode::Component component, TimecodeFieldWidget& field, QWidget* parent);

    Timecode::Component component() const { return component_; }
    // The text shown now.
    QString displayText() const;
    // The colour the text is drawn in now.
    QColor textColor() const;
    void animateRejection(TimecodeField::RejectionAnimation animation) { animator_.play(animation); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Timecode::Component component_;
    TimecodeFieldWidget& field_;
    RejectionAnimator animator_;
    bool hovering_ = false;
};

}  // namespace tallyvane
