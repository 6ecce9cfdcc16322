#include "timecode_ui/qt/timecode_field_widget.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>

#include "timecode_ui/qt/qt_styles.h"
#include "timecode_ui/qt/queued_poster.h"
#include "timecode_ui/qt/timecode_clipboard.h"

namespace tallyvane {

TimecodeFieldWidget::TimecodeFieldWidget(std::unique_ptr<TimecodeFieldModel> model, QWidget* parent)
    : QWidget(parent), model_(std::move(model)), row_(new QWidget(this)), animator_(this) {
    // Digits of equal width keep the components from jumping while typing.
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QHBoxLayout(row_);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    for (Timecode::Component component : Timecode::Component::allCases()) {
        components_[component.index()] = new TimecodeComponentWidget(component, *this, row_);
    }
    model_->setFeedbackSink(this);
    model_->setPoster(queuedPoster(this));
    model_->setFocusListener([this](std::optional<Timecode::Component> c) { focusChanged(c); });
    connect(&animator_, &RejectionAnimator::changed, this, &TimecodeFieldWidget::placeRow);
    watchTimecodeWidgetMoves();
    timecodeEnvironmentChanged();
}

TimecodeFieldWidget::~TimecodeFieldWidget() {
    // The components reach into the model until they are gone, so they go first.
    model_->setFocusListener({});
    model_->setFeedbackSink(nullptr);
    delete row_;
}

void TimecodeFieldWidget::timecodeEnvironmentChanged() {
    model_->setEnvironment(resolvedTimecodeEnvironment(*this));
    layoutRow();
}

void TimecodeFieldWidget::refresh() {
    if (model_->row() != shownRow_) layoutRow();
    for (auto* component : components_) {
        component->updateGeometry();
        component->update();
    }
}

void TimecodeFieldWidget::layoutRow() {
    auto* layout = static_cast<QHBoxLayout*>(row_->layout());
    while (QLayoutItem* item = layout->takeAt(0)) delete item;
    for (QLabel* separator : separators_) separator->deleteLater();
    separators_.clear();

    const auto& env = model_->environment();
    shownRow_ = model_->row();
    std::array<bool, 6> shown{};
    for (const FieldRowItem& item : shownRow_) {
        if (item.component) {
            shown[item.component->index()] = true;
            layout->addWidget(components_[item.component->index()]);
            continue;
        }
        auto* separator = new QLabel(QString::fromStdString(item.separator), row_);
        if (env.timecodeSeparatorStyle) {
            QPalette palette = separator->palette();
            palette.setColor(QPalette::WindowText, toQColor(*env.timecodeSeparatorStyle, palette));
            separator->setPalette(palette);
        }
        separator->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        separators_.push_back(separator);
        layout->addWidget(separator);
    }
    // Room to spare goes after the row, not between its pieces.
    layout->addStretch();
    for (auto* component : components_) {
        component->setVisible(shown[component->component().index()]);
        component->updateGeometry();
    }
    row_->adjustSize();
    placeRow();
    updateGeometry();
}

void TimecodeFieldWidget::placeRow() {
    row_->setGeometry(static_cast<int>(animator_.shakeOffset()), 0, std::max(width(), row_->sizeHint().width()),
                      std::max(height(), row_->sizeHint().height()));
}

QString TimecodeFieldWidget::text() const {
    QString text;
    const QLayout* layout = row_->layout();
    for (int i = 0; i < layout->count(); ++i) {
        QWidget* widget = layout->itemAt(i)->widget();
        if (auto* component = qobject_cast<TimecodeComponentWidget*>(widget)) {
            text += component->displayText();
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            text += label->text();
        }
    }
    return text;
}

QSize TimecodeFieldWidget::sizeHint() const { return row_->sizeHint(); }

void TimecodeFieldWidget::paste() {
    const TimecodeLoader load = timecodeLoader(QGuiApplication::clipboard()->mimeData());
    if (model_->focusedComponent()) {
        model_->pasteIntoComponent(load);
    } else {
        model_->pasteIntoField(load);
    }
    refresh();
}

void TimecodeFieldWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) model_->setEnabled(isEnabled());
    QWidget::changeEvent(event);
}

void TimecodeFieldWidget::resizeEvent(QResizeEvent* event) {
    placeRow();
    QWidget::resizeEvent(event);
}

void TimecodeFieldWidget::beep() {
    QApplication::beep();
    emit beeped();
}

void TimecodeFieldWidget::animateRejection(std::optional<Timecode::Component> target,
                                           TimecodeField::RejectionAnimation animation) {
    if (target) {
        components_[target->index()]->animateRejection(animation);
    } else {
        animator_.play(animation);
    }
}

void TimecodeFieldWidget::focusChanged(std::optional<Timecode::Component> component) {
    if (component) {
        TimecodeComponentWidget* target = components_[component->index()];
        if (!target->hasFocus()) target->setFocus(Qt::OtherFocusReason);
    } else {
        for (auto* c : components_) {
            if (c->hasFocus()) c->clearFocus();
        }
    }
    for (auto* c : components_) c->update();
}

}  // namespace tallyvane
