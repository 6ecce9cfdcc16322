#include "timecode_ui/qt/timecode_clipboard.h"

namespace tallyvane {

namespace {

QString formatName(std::string_view typeId) { return QString::fromUtf8(typeId.data(), static_cast<qsizetype>(typeId.size())); }

}  // namespace

std::vector<TransferItem> transferItems(const QMimeData& data) {
    std::vector<TransferItem> items;
    // The types a timecode field's paste accepts, in the order it prefers them.
    for (const std::string_view type : kTimecodePasteboardTypes) {
        if (type == kUtf8PlainTextTypeIdentifier) {
            if (data.hasText()) items.push_back({std::string(type), data.text().toStdString()});
        } else if (data.hasFormat(formatName(type))) {
            items.push_back({std::string(type), data.data(formatName(type)).toStdString()});
        }
    }
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
