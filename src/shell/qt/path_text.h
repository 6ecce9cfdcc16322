#pragma once
// File-system paths to and from Qt's texts, in the file system's own encoding.

#include <filesystem>

#include <QFile>
#include <QString>

namespace tallyvane {

inline std::filesystem::path toPath(const QString& text) {
    return std::filesystem::path(QFile::encodeName(text).toStdString());
}

inline QString toQString(const std::filesystem::path& path) { return QFile::decodeName(path.native().c_str()); }

}  // namespace tallyvane
