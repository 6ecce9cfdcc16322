#pragma once
// A timecode entry field: one widget per visible component with separators between
// them, bound to the caller's timecode (or components and properties). Its settings
// come from the timecode environment of the widgets around it.

#include <array>
#include <memory>
#include <vector>

#include <QLabel>
#include <QWidget>

#include "timecode_ui/qt/rejection_animator.h"
#include "timecode_ui/qt/timecode_component_widget.h"
#include "timecode_ui/qt/timecode_environment_scope.h"
#include "timecode_ui/timecode_field_model.h"

namespace tallyvane {

class TimecodeFieldWidget : public QWidget, public TimecodeEnvironmentReader, private RejectionFeedbackSink {
    Q_OBJECT
public:
    // The field keeps the model; its bindings must outlive the field.
    explicit TimecodeFieldWidget(std::unique_ptr<TimecodeFieldModel> model, QWidget* parent = nullptr);
    ~TimecodeFieldWidget() override;

    TimecodeFieldModel& model() { return *model_; }
    TimecodeComponentWidget* componentWidget(Timecode::Component component) {
        return components_[component.index()];
    }
    // The row as shown: component texts and separators.
    QString text() const;

    void timecodeEnvironmentChanged() override;
    // Re-reads the bound values and redraws.
    void refresh();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

public slots:
    // The paste command: into the focused component, or into the field as a whole.
    void paste();

signals:
    // Sent with every beep of the field.
    void beeped();

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TimecodeComponentWidget;
    void beep() override;
    void animateRejection(std::optional<Timecode::Component> target,
                          TimecodeField::RejectionAnimation animation) override;
    void focusChanged(std::optional<Timecode::Component> component);
    void layoutRow();
    void placeRow();

    std::unique_ptr<TimecodeFieldModel> model_;
    QWidget* row_;
    std::array<TimecodeComponentWidget*, 6> components_{};
    std::vector<QLabel*> separators_;
    std::vector<FieldRowItem> shownRow_;
    RejectionAnimator animator_;
};

}  // namespace tallyvane
