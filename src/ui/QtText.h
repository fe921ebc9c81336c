// The boundary between the core's UTF-8 byte strings and Qt's QString.
#pragma once

#include <QFile>
#include <QString>
#include <string>
#include <string_view>

#include "platform/CodePage.h"

namespace zk {

inline QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string ToStdString(const QString& text) { return text.toStdString(); }

// Paths keep the bytes the file system gave them; QString only shows them.
inline QString PathToQString(const std::string& path) { return QFile::decodeName(path.c_str()); }
// What the user sees of a path, or of a message naming one: names that are not UTF-8 come decoded from
// CP932 or with their bytes escaped, never as "�".
inline QString DisplayQString(std::string_view text) { return ToQString(PathDisplayText(text)); }
inline std::string PathFromQString(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace zk
