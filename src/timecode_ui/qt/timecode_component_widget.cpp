#include "timecode_ui/qt/timecode_component_widget.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeySequence>
#include <QPainter>

#include "timecode_ui/qt/key_translation.h"
#include "timecode_ui/qt/qt_styles.h"
#include "timecode_ui/qt/timecode_field_widget.h"

namespace tallyvane {

namespace {

constexpr double kCornerRadius = 2.0;
constexpr double kSecondaryScale = 0.8;

}  // namespace

TimecodeComponentWidget::TimecodeComponentWidget(Timecode::Component component, TimecodeFieldWidget& field,
                                                 QWidget* parent)
    : QWidget(parent), component_(component), field_(field), animator_(this) {
    // A click focuses through the field, after the click; Tab still reaches the component.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(&animator_, &RejectionAnimator::changed, this, qOverload<>(&QWidget::update));
}

QString TimecodeComponentWidget::displayText() const {
    return QString::fromStdString(field_.model().componentModel(component_).displayText());
}

QColor TimecodeComponentWidget::textColor() const {
    const TimecodeEnvironmentValues& env = field_.model().environment();
    const bool valid = field_.model().componentModel(component_).isValueValid();
    if (!valid && env.timecodeValidationStyle) return toQColor(*env.timecodeValidationStyle, palette());
    if (component_ == Timecode::Component::subFrames && env.timecodeSubFramesStyle.style) {
        return toQColor(*env.timecodeSubFramesStyle.style, palette());
    }
    return palette().color(QPalette::WindowText);
}

QSize TimecodeComponentWidget::sizeHint() const {
    const QFontMetrics metrics(font());
    const int width = std::max(metrics.horizontalAdvance(displayText()),
                               metrics.horizontalAdvance(QString(field_.model().componentModel(component_).digitCount(),
                                                                 QLatin1Char('0'))));
    return {width + 4, metrics.height() + 2};
}

bool TimecodeComponentWidget::event(QEvent* event) {
    // The paste shortcut belongs to the focused component, not to a window's menu.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void TimecodeComponentWidget::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        field_.paste();
        event->accept();
        return;
    }
    const auto key = keyEquivalent(*event);
    if (!key) {
        QWidget::keyPressEvent(event);
        return;
    }
    const auto outcome = field_.model().handleKeyPress(component_, *key);
    field_.refresh();
    if (outcome == TimecodeFieldModel::KeyOutcome::handled) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TimecodeComponentWidget::focusInEvent(QFocusEvent* event) {
    // Focus handed on while a component disappears is not the user's: the editing ends.
    if (!field_.model().editingEnds()) field_.model().setFocusedComponent(component_);
    QWidget::focusInEvent(event);
    update();
}

void TimecodeComponentWidget::focusOutEvent(QFocusEvent* event) {
    // Focus that leaves with the window comes back with it.
    const QWidget* next = QApplication::focusWidget();
    const bool toSibling = next != nullptr && next != this && next->parentWidget() == parentWidget() &&
                           qobject_cast<const TimecodeComponentWidget*>(next) != nullptr;
    // A component that disappears ends the editing through its hide's posted task instead.
    const bool leavesField = event->reason() != Qt::ActiveWindowFocusReason &&
                             event->reason() != Qt::PopupFocusReason && !toSibling && isVisible();
    if (leavesField && field_.model().focusedComponent() == component_) field_.model().setFocusedComponent(std::nullopt);
    QWidget::focusOutEvent(event);
    update();
}

void TimecodeComponentWidget::mousePressEvent(QMouseEvent* event) {
    field_.model().postFocus(component_);
    QWidget::mousePressEvent(event);
}

void TimecodeComponentWidget::enterEvent(QEnterEvent* event) {
    hovering_ = true;
    update();
    QWidget::enterEvent(event);
}

void TimecodeComponentWidget::leaveEvent(QEvent* event) {
    hovering_ = false;
    update();
    QWidget::leaveEvent(event);
}

void TimecodeComponentWidget::hideEvent(QHideEvent* event) {
    // Any component that disappears ends the field's editing, whichever one has focus; a
    // minimised window only hides for a while and keeps it.
    if (!event->spontaneous()) field_.model().endEditingLater();
    QWidget::hideEvent(event);
}

void TimecodeComponentWidget::paintEvent(QPaintEvent*) {
    const TimecodeEnvironmentValues& env = field_.model().environment();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(animator_.shakeOffset(), 0);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

    std::optional<QColor> background;
    if (field_.model().focusedComponent() == component_ && env.timecodeFieldHighlightStyle) {
        background = toQColor(*env.timecodeFieldHighlightStyle, palette());
    } else if (hovering_) {
        QColor secondary = toQColor(ShapeStyle::secondary(), palette());
        secondary.setAlphaF(0.3F);
        background = secondary;
    }
    if (background) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(*background);
        painter.drawRoundedRect(area, kCornerRadius, kCornerRadius);
    }

    QFont textFont = font();
    if (component_ == Timecode::Component::subFrames && env.timecodeSubFramesStyle.scale == TextScale::secondary) {
        textFont.setPointSizeF(textFont.pointSizeF() * kSecondaryScale);
    }
    painter.setFont(textFont);
    painter.setPen(textColor());
    painter.drawText(area, Qt::AlignCenter, displayText());
}

}  // namespace tallyvane
