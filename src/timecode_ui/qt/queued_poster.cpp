#include "timecode_ui/qt/queued_poster.h"

#include <QMetaObject>
#include <QPointer>

namespace tallyvane {

TimecodeState::Post queuedPoster(QObject* context) {
    return [guard = QPointer<QObject>(context)](TimecodeState::Task task) {
        if (guard) QMetaObject::invokeMethod(guard.data(), std::move(task), Qt::QueuedConnection);
    };
}

}  // namespace tallyvane
