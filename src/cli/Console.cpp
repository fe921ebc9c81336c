#include "cli/Console.h"

#include "cli/ShownTexts.h"
#include "cli/StandardStreams.h"
#include "engine/BatchRules.h"
#include "platform/CodePage.h"
#include "platform/ControlEscapes.h"
#include "platform/Paths.h"

namespace zk::cli {

void TConsole::StartFiles(int first, int last, int count, const std::string& path, std::string_view status) {
  bar_.Start(ShownText(StatusLine(first, last, count, PathDisplayText(LastComponent(path)), status)));
}

void TConsole::Line(std::initializer_list<std::string_view> fields) {
  std::string line;
  for (const std::string_view& field : fields) {
    if (&field != fields.begin()) line += '\t';
    line += EscapeControls(field);
  }
  line += '\n';
  Write(line);
}

void TConsole::Write(std::string_view line) {
  bar_.Clear();
  if (results_ == TResultLines::kStdout)
    WriteToStdout(line);
  else
    WriteToStderr(line);
}

void TConsole::Error(std::string_view text) {
  bar_.Clear();
  WriteToStderr("zkcli: " + EscapeControls(text) + "\n");
}

}  // namespace zk::cli
