#include "ui/CoreTexts.h"

#include <QCoreApplication>

#include "shell/IniUnit.h"
#include "ui/QtText.h"

namespace zk {
namespace {

constexpr char kContext[] = "CoreTexts";

}  // namespace

QString CoreText(std::string_view text) {
  return QCoreApplication::translate(kContext, std::string(text).c_str());
}

std::string ShownCoreText(std::string_view text) { return CoreText(text).toStdString(); }

QString CoreText(const TText& text) { return ToQString(RenderText(text, ShownCoreText, PathDisplayText)); }

QString ErrorText(const std::exception& error) {
  if (const auto* refusedWrite = dynamic_cast<const EIniWriteError*>(&error))
    return CoreText(Sentence(kIniCannotWrite, {refusedWrite->Path}));
  return DisplayQString(error.what());
}

}  // namespace zk
