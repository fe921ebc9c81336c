// The words of a zkcli call, checked and turned into one plain record.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/SecretBytes.h"

namespace zk::cli {

// Bad usage: the message says what is wrong; the caller prints it and exits with status 2, nothing done.
class EUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TCommand { kHelp, kEncrypt, kDecrypt, kWipe, kHint, kSha1, kCheckValue, kCheckStrength };

// Output names of an encryption: source + ".enc", source + own extension, random name + own extension.
enum class TNaming { kEnc = 0, kOwnExtension = 1, kRandom = 2 };

struct TCommandLine {
  TCommand command = TCommand::kHelp;
  std::optional<TSecretBytes> password;  // -p
  bool passwordFromStdin = false;        // --password-stdin
  std::string hint;
  int algorithm = 0;  // 0 Twofish, 1 Rijndael, 2 GOST 28147-89
  TNaming naming = TNaming::kEnc;
  std::string extension = ".bmp";
  int level = 1;  // security level 1-4
  bool wipeSource = false;
  std::optional<std::string> output;  // -o: the single-file direct form
  bool recurse = true;
  bool yes = false;                      // wipe without asking
  int jobs = 0;                          // -j: files worked on at once; 0 = as many as the process has cores
  bool json = false;                     // --json: JSON Lines instead of text lines
  std::optional<std::string> filesFrom;  // --files-from: a file (- for stdin) naming more paths, one a line
  bool nullSeparated = false;            // -0/--null: the names of --files-from end with NUL, not newline
  std::vector<std::string> paths;
};

// argv[1..] -> TCommandLine; the caller overwrites the words when done, since they may hold the password.
// Throws EUsageError for an unknown command or option, an option the command does not take, a missing or bad
// value, conflicting options and a missing or superfluous path. Whether the paths exist is checked later,
// when they are expanded.
TCommandLine ParseCommandLine(const std::vector<std::string>& words);

}  // namespace zk::cli
