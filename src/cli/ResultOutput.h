// What zkcli says about each file. As text: one line on the result stream (see TConsole) and, for a failure
// whose cause is known, "zkcli: PATH: CAUSE" on stderr. With --json: one JSON object per file instead of
// the line (JSON Lines, in list order, as each file is done), and a summary object at the end; the cause
// still goes to stderr as well. The identifiers of "kind" are documented in zkcli(1) and never change.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "engine/BatchRules.h"

namespace zk::cli {

// The kinds of the hint and sha1 commands, beside those of the batch rows (kResultCatalogue).
inline constexpr std::string_view kHintKind = "hint";
inline constexpr std::string_view kHintUnreadableKind = "hint-unreadable";
inline constexpr std::string_view kDigestKind = "sha1";
inline constexpr std::string_view kDigestFailedKind = "sha1-failed";
inline constexpr std::string_view kSummaryKind = "summary";

class TResultOutput {
 public:
  // JSON Lines with --json, else the lines of the confirmation list.
  TResultOutput(TConsole& console, const TCommandLine& line)
      : console_(console), json_(line.json), linesNameOutput_(line.command == TCommand::kDecrypt) {}

  // A row of encrypt, decrypt or wipe: the result text and the path, then a tab and the decrypted file's path
  // when there is one. In JSON the output's path of an encryption too (a random name is known only here).
  void Row(const std::string& path, const TRowResult& result);
  // A container's hint, or kReadHintError when it could not be read: the hint, a tab and the path.
  void Hint(const std::string& path, const std::optional<std::string>& hint);
  // A file's digest: the digest, a tab and the path.
  void Digest(const std::string& path, const std::string& digest);
  // A file whose digest could not be made: only the cause, on stderr (and in --json).
  void DigestFailed(const std::string& path, const std::string& cause);
  // With --json, the summary object: {"kind":"summary","files":N,"succeeded":N,"failures":N}.
  void Finish();

  int64_t Failures() const { return failed_; }

 private:
  void Count(bool failed);
  void Cause(const std::string& path, std::string_view cause);

  TConsole& console_;
  bool json_;
  bool linesNameOutput_;  // a decryption's line names the decrypted file; an encryption's stays the list's
  int64_t files_ = 0;
  int64_t failed_ = 0;
};

}  // namespace zk::cli
