#include "cli/ResultOutput.h"

#include "cli/JsonLine.h"
#include "cli/ShownTexts.h"

namespace zk::cli {
namespace {

// The note of a row left as it is because it is the unfinished output of an interrupted run.
constexpr std::string_view kUnfinishedFileCause = "unfinished file of an interrupted run, left as it is";

}  // namespace

void TResultOutput::Count(bool failed) {
  ++files_;
  if (failed) ++failed_;
}

void TResultOutput::Cause(const std::string& path, std::string_view cause) {
  if (!cause.empty()) console_.Error(path + ": " + std::string(cause));
}

void TResultOutput::Row(const std::string& path, const TRowResult& result) {
  Count(result.Failed());
  std::string_view cause = result.Cause;
  if (cause.empty() && result.Kind == TResultKind::kUnfinishedFileSkipped) cause = kUnfinishedFileCause;
  Cause(path, cause);
  const std::string text = ShownText(result.Sentence()) + path;
  if (!json_) {
    if (linesNameOutput_ && !result.OutputPath.empty())
      console_.Line({text, result.OutputPath});
    else
      console_.Line({text});
    return;
  }
  TJsonLine line;
  line.Add("path", path).Add("kind", ResultId(result.Kind)).Add("failed", result.Failed());
  if (!result.OutputPath.empty()) line.Add("output", result.OutputPath);
  if (!cause.empty()) line.Add("cause", cause);
  console_.Write(line.Add("text", text).Finish());
}

void TResultOutput::Hint(const std::string& path, const std::optional<std::string>& hint) {
  Count(!hint);
  const std::string text = ShownText(HintText(hint));
  if (!json_) {
    console_.Line({text, path});
    return;
  }
  TJsonLine line;
  line.Add("path", path).Add("kind", hint ? kHintKind : kHintUnreadableKind).Add("failed", !hint);
  if (hint) line.Add("hint", *hint);
  console_.Write(line.Add("text", text).Finish());
}

void TResultOutput::Digest(const std::string& path, const std::string& digest) {
  Count(false);
  if (!json_) {
    console_.Line({digest, path});
    return;
  }
  console_.Write(TJsonLine()
                     .Add("path", path)
                     .Add("kind", kDigestKind)
                     .Add("failed", false)
                     .Add("sha1", digest)
                     .Add("text", digest)
                     .Finish());
}

void TResultOutput::DigestFailed(const std::string& path, const std::string& cause) {
  Count(true);
  Cause(path, cause);
  if (json_)
    console_.Write(TJsonLine()
                       .Add("path", path)
                       .Add("kind", kDigestFailedKind)
                       .Add("failed", true)
                       .Add("cause", cause)
                       .Finish());
}

void TResultOutput::Finish() {
  if (!json_) return;
  console_.Write(TJsonLine()
                     .Add("kind", kSummaryKind)
                     .Add("files", files_)
                     .Add("succeeded", files_ - failed_)
                     .Add("failures", failed_)
                     .Finish());
}

}  // namespace zk::cli
