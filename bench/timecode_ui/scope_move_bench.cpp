// Moving a panel of timecode views under a window with timecode settings: every view re-reads
// its settings, so the move should cost the size of the panel. The yardstick is the same move
// of a panel of as many plain labels, measured in the same run.
#include <memory>

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <benchmark/benchmark.h>

#include "timecode/timecode_sources.h"
#include "timecode_ui/qt/timecode_environment_scope.h"
#include "timecode_ui/qt/timecode_text_view.h"

namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "timecode_ui_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication instance(argc, argv);
    return instance;
}

template <typename MakeChild>
void movePanel(benchmark::State& state, MakeChild makeChild) {
    application();
    QWidget window;
    tallyvane::setTimecodeEnvironment(
        window, tallyvane::TimecodeEnvironment().timecodeFormat({tallyvane::TimecodeStringFormatOption::showSubFrames}));
    QWidget elsewhere;
    auto* panel = new QWidget(&elsewhere);
    for (int view = 0; view < state.range(0); ++view) makeChild(panel);
    bool inWindow = false;
    for (auto _ : state) {
        panel->setParent(inWindow ? &elsewhere : &window);
        inWindow = !inWindow;
    }
    state.SetComplexityN(state.range(0));
}

void BM_MoveTimecodeViews(benchmark::State& state) {
    using tallyvane::Timecode;
    const Timecode timecode(tallyvane::TimecodeSourceValue::frames(90000),
                            {tallyvane::TimecodeFrameRate::fps25, Timecode::SubFramesBase::max80SubFrames,
                             Timecode::UpperLimit::max24Hours});
    movePanel(state, [&](QWidget* panel) { new tallyvane::TimecodeTextView(timecode, panel); });
}

void BM_MovePlainLabels(benchmark::State& state) {
    movePanel(state, [](QWidget* panel) { new QLabel("01:00:00:00", panel); });
}

BENCHMARK(BM_MovePlainLabels)->Arg(1000)->Arg(2000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_MoveTimecodeViews)->Arg(1000)->Arg(2000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
