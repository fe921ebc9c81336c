// zkcli's output: result lines on stdout (on stderr when stdout carries a decrypted file) and, when stderr
// is a terminal, the progress bar of the file at work, fed by the engine's progress events. Every name and
// hint shown has its control characters escaped (EscapeControls), so that one file is always one line and
// a name cannot steer the terminal.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "cli/ProgressBar.h"
#include "engine/EngineObserver.h"

namespace zk::cli {

enum class TResultLines { kStdout, kStderr };

class TConsole : public TEngineObserver {
 public:
  explicit TConsole(TResultLines results = TResultLines::kStdout) : results_(results) {}

  // The bar shows the status line of the files now worked on, numbers first..last, naming the first:
  // [2/5Files]a.txtを暗号化中, or with several at once [3-4/200Files]c.txtを暗号化中
  void StartFiles(int first, int last, int count, const std::string& path, std::string_view status);
  // One result line of tab-separated fields, flushed at once so that a script reading along sees each file
  // as it is done.
  void Line(std::initializer_list<std::string_view> fields);
  // A line as it is (a JSON object, whose own escapes keep it one line), on the same stream as Line.
  void Write(std::string_view line);
  // Something went wrong outside the result lines; goes to stderr.
  void Error(std::string_view text);

  void Progress(const TProgress& progress) override { bar_.Update(progress.Done, progress.Total); }

 private:
  TResultLines results_;
  TProgressBar bar_;
};

}  // namespace zk::cli
