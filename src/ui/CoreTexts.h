// The core's texts (row results, summaries, the confirmation and the wipe warning, status and progress
// lines, password refusals) as this program shows them: translated here, at display only. zkcli, the
// settings file and the containers keep them as they are.
#pragma once

#include <QString>
#include <exception>
#include <string>
#include <string_view>

#include "engine/TextTemplate.h"

namespace zk {

QString CoreText(std::string_view text);
// The translation of a template of the core, in UTF-8.
std::string ShownCoreText(std::string_view text);
// A text of the core with its template translated and names shown as this program shows them.
QString CoreText(const TText& text);
// An error as shown: a refused write of the settings file names the file in the user's language; any other
// error shows its own text.
QString ErrorText(const std::exception& error);

}  // namespace zk
