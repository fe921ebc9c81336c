// zkcli's output: result lines on stdout (on stderr when stdout carries a decrypted file) and, when stderr
// is a terminal, the progress bar of the file at work, fed by the engine's progress events.
#pragma once

#include <string>
#include <string_view>

#include "cli/ProgressBar.h"
#include "engine/EngineObserver.h"

namespace zk::cli {

enum class ResultLines { kStdout, kStderr };

class Console : public TEngineObserver {
 public:
  explicit Console(ResultLines results = ResultLines::kStdout) : results_(results) {}

  // The bar shows the status line of the file now worked on: [2/5Files]a.txtを暗号化中
  void StartFile(int number, int count, const std::string& path, std::string_view statusSuffix);
  // One result line, flushed at once so that a script reading along sees each file as it is done.
  void Line(std::string_view text);
  // Something went wrong outside the result lines; goes to stderr.
  void Error(std::string_view text);

  void Progress(const TProgress& progress) override { bar_.Update(progress.Done, progress.Total); }

 private:
  ResultLines results_;
  ProgressBar bar_;
};

}  // namespace zk::cli
