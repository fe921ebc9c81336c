#include "ui/Messages.h"

#include <QStringList>

#include "ui/QtText.h"

namespace zk {

QString MessageText(std::string_view text) {
  QString shown = QCoreApplication::translate("Messages", std::string(text).c_str());
  return shown.replace(QStringLiteral("{WEB}"), ToQString(kWebAddress));
}

QString MessageText(std::span<const std::string_view> lines) {
  QStringList shown;
  for (std::string_view line : lines) shown << (line.empty() ? QString() : MessageText(line));
  return shown.join(QStringLiteral("\r\n"));
}

}  // namespace zk
