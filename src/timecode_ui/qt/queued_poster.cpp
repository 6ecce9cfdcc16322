#include "timecode_ui/qt/queued_poster.h"

#include <QMetaObject>
#include <QPointer>

namespace tallyvane {

PostLater queuedPoster(QObject* context) {
    return [guard = QPointer<QObject>(context)](LaterTask task) {
        if (guard) QMetaObject::invokeMethod(guard.data(), std::move(task), Qt::QueuedConnection);
    };
}

}  // namespace tallyvane
