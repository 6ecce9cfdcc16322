#include "timecode_ui/qt/timecode_clipboard.h"

namespace tallyvane {

namespace {

QString formatName(std::string_view typeId) { return QString::fromUtf8(typeId.data(), static_cast<qsizetype>(typeId.size())); }

}  // namespace

std::vector<TransferItem> transferItems(const QMimeData& data) {
    std::vector<TransferItem> items;
    const QString timecodeFormat = formatName(kTimecodeTypeIdentifier);
    if (data.hasFormat(timecodeFormat)) {
        items.push_back({std::string(kTimecodeTypeIdentifier), data.data(timecodeFormat).toStdString()});
    }
    if (data.hasText()) items.push_back({std::string(kUtf8PlainTextTypeIdentifier), data.text().toStdString()});
    return items;
}

std::unique_ptr<QMimeData> mimeData(std::span<const TransferItem> items) {
    auto data = std::make_unique<QMimeData>();
    for (const TransferItem& item : items) {
        const QByteArray bytes(item.bytes.data(), static_cast<qsizetype>(item.bytes.size()));
        if (item.typeId == kUtf8PlainTextTypeIdentifier) {
            data->setText(QString::fromUtf8(bytes));
        } else {
            data->setData(formatName(item.typeId), bytes);
        }
    }
    return data;
}

TimecodeLoader timecodeLoader(const QMimeData* data) {
    return [data](const Timecode::Properties& properties) -> TimecodePasteResult {
        if (data == nullptr) return TimecodePasteFailure{TimecodeLoadError().what()};
        try {
            return loadTimecode(transferItems(*data), properties);
        } catch (const TimecodeLoadError& error) {
            return TimecodePasteFailure{error.what()};
        }
    };
}

}  // namespace tallyvane
