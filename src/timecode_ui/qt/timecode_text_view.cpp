#include "timecode_ui/qt/timecode_text_view.h"

#include <QFontDatabase>

#include "timecode_ui/qt/qt_styles.h"
#include "timecode_ui/timecode_text_layout.h"

namespace tallyvane {

TimecodeTextView::TimecodeTextView(const Timecode& timecode, QWidget* parent) : QLabel(parent), timecode_(timecode) {
    setTextFormat(Qt::RichText);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    watchTimecodeWidgetMoves();
    timecodeEnvironmentChanged();
}

void TimecodeTextView::setTimecode(const Timecode& timecode) {
    timecode_ = timecode;
    timecodeEnvironmentChanged();
}

void TimecodeTextView::timecodeEnvironmentChanged() {
    const TimecodeEnvironmentValues env = resolvedTimecodeEnvironment(*this);
    const TimecodeTextStyles styles{env.timecodeSeparatorStyle, env.timecodeSubFramesStyle.style,
                                    env.timecodeSubFramesStyle.scale, env.timecodeValidationStyle};
    QString html;
    for (const StyledRun& run : timecodeStyledRuns(timecode_, env.timecodeFormat, styles)) {
        QString css;
        if (run.style) css += "color:" + toQColor(*run.style, palette()).name(QColor::HexArgb) + ";";
        if (run.scale == TextScale::secondary) css += "font-size:smaller;";
        const QString text = QString::fromStdString(run.text).toHtmlEscaped();
        html += css.isEmpty() ? text : "<span style=\"" + css + "\">" + text + "</span>";
    }
    setText(html);
}

TimecodeTextView* timecodeTextView(const Timecode& timecode, Timecode::StringFormat format, QWidget* parent) {
    auto* view = new TimecodeTextView(timecode, parent);
    setTimecodeEnvironment(*view, TimecodeEnvironment().timecodeFormat(format));
    return view;
}

}  // namespace tallyvane
