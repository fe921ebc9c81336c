#include "cli/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "engine/OutputNames.h"
#include "platform/Paths.h"

namespace zk::cli {
namespace {

constexpr unsigned Bit(TCommand command) { return 1u << static_cast<unsigned>(command); }

constexpr unsigned kFileCommands = Bit(TCommand::kEncrypt) | Bit(TCommand::kDecrypt) | Bit(TCommand::kWipe) |
                                   Bit(TCommand::kHint) | Bit(TCommand::kSha1);
constexpr unsigned kPasswordCommands =
    Bit(TCommand::kEncrypt) | Bit(TCommand::kDecrypt) | Bit(TCommand::kCheckValue) | Bit(TCommand::kCheckStrength);

struct TCommandName {
  std::string_view name;
  TCommand command;
};
constexpr std::array kCommands{
    TCommandName{"encrypt", TCommand::kEncrypt}, TCommandName{"decrypt", TCommand::kDecrypt},
    TCommandName{"wipe", TCommand::kWipe},       TCommandName{"hint", TCommand::kHint},
    TCommandName{"sha1", TCommand::kSha1},       TCommandName{"check-value", TCommand::kCheckValue},
    TCommandName{"check-strength", TCommand::kCheckStrength},
};

enum class TOption {
  kPassword,
  kPasswordStdin,
  kHint,
  kAlgorithm,
  kNaming,
  kExtension,
  kLevel,
  kWipeSource,
  kOutput,
  kNoRecurse,
  kYes,
  kJobs,
  kJson,
  kFilesFrom,
  kNull,
  kHelp
};

struct TOptionSpec {
  TOption option;
  std::string_view longName;  // without the leading "--"
  char shortName;             // 0 = none
  bool takesValue;
  unsigned commands;  // the commands that accept it
};
constexpr std::array kOptions{
    TOptionSpec{TOption::kPassword, "password", 'p', true, kPasswordCommands},
    TOptionSpec{TOption::kPasswordStdin, "password-stdin", 0, false, kPasswordCommands},
    TOptionSpec{TOption::kHint, "hint", 0, true, Bit(TCommand::kEncrypt)},
    TOptionSpec{TOption::kAlgorithm, "algorithm", 'a', true, Bit(TCommand::kEncrypt)},
    TOptionSpec{TOption::kNaming, "naming", 0, true, Bit(TCommand::kEncrypt)},
    TOptionSpec{TOption::kExtension, "ext", 0, true, Bit(TCommand::kEncrypt)},
    TOptionSpec{TOption::kLevel, "level", 0, true, Bit(TCommand::kEncrypt)},
    TOptionSpec{TOption::kWipeSource, "wipe-source", 0, false, Bit(TCommand::kEncrypt) | Bit(TCommand::kDecrypt)},
    TOptionSpec{TOption::kOutput, "output", 'o', true, Bit(TCommand::kEncrypt) | Bit(TCommand::kDecrypt)},
    TOptionSpec{TOption::kNoRecurse, "no-recurse", 0, false, kFileCommands},
    TOptionSpec{TOption::kYes, "yes", 'y', false, Bit(TCommand::kWipe)},
    TOptionSpec{TOption::kJobs, "jobs", 'j', true,
               Bit(TCommand::kEncrypt) | Bit(TCommand::kDecrypt) | Bit(TCommand::kWipe)},
    TOptionSpec{TOption::kJson, "json", 0, false, kFileCommands},
    TOptionSpec{TOption::kFilesFrom, "files-from", 0, true, kFileCommands},
    TOptionSpec{TOption::kNull, "null", '0', false, kFileCommands},
    TOptionSpec{TOption::kHelp, "help", 'h', false, ~0u},
};

std::string Spelling(const TOptionSpec& entry) {
  return entry.shortName ? "-" + std::string(1, entry.shortName) + "/--" + std::string(entry.longName)
                         : "--" + std::string(entry.longName);
}

const TOptionSpec* FindOption(std::string_view word) {
  auto matches = [word](const TOptionSpec& entry) {
    if (word.starts_with("--")) return word.substr(2) == entry.longName;
    return entry.shortName && word.size() == 2 && word[1] == entry.shortName;
  };
  auto found = std::find_if(kOptions.begin(), kOptions.end(), matches);
  return found == kOptions.end() ? nullptr : &*found;
}

int ParseAlgorithm(const std::string& value) {
  const std::string upper = UpperAscii(value);
  if (upper == "TWOFISH" || upper == "0") return 0;
  if (upper == "RIJNDAEL" || upper == "1") return 1;
  if (upper == "GOST" || upper == "2") return 2;
  throw EUsageError("bad algorithm '" + value + "' (twofish, rijndael, gost, 0, 1 or 2)");
}

TNaming ParseNaming(const std::string& value) {
  if (value == "enc") return TNaming::kEnc;
  if (value == "own") return TNaming::kOwnExtension;
  if (value == "random") return TNaming::kRandom;
  throw EUsageError("bad naming '" + value + "' (enc, own or random)");
}

int ParseLevel(const std::string& value) {
  if (value.size() == 1 && value[0] >= '1' && value[0] <= '4') return value[0] - '0';
  throw EUsageError("bad security level '" + value + "' (1 to 4)");
}

int ParseJobs(const std::string& value) {
  constexpr int kMaxJobs = 999;
  const bool digits = !value.empty() && value.size() <= 3 &&
                      std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
  const int jobs = digits ? std::stoi(value) : 0;
  if (jobs < 1 || jobs > kMaxJobs) throw EUsageError("bad number of jobs '" + value + "' (1 to 999)");
  return jobs;
}

void Apply(TOption option, const std::string& value, TCommandLine& line) {
  switch (option) {
    case TOption::kPassword: line.password = TSecretBytes(value); break;
    case TOption::kPasswordStdin: line.passwordFromStdin = true; break;
    case TOption::kHint: line.hint = value; break;
    case TOption::kAlgorithm: line.algorithm = ParseAlgorithm(value); break;
    case TOption::kNaming: line.naming = ParseNaming(value); break;
    case TOption::kExtension:
      if (value.find('/') != std::string::npos) throw EUsageError("--ext must not contain '/'");
      line.extension = value;
      break;
    case TOption::kLevel: line.level = ParseLevel(value); break;
    case TOption::kWipeSource: line.wipeSource = true; break;
    case TOption::kOutput:
      if (value.empty()) throw EUsageError("-o needs a file name");
      line.output = value;
      break;
    case TOption::kNoRecurse: line.recurse = false; break;
    case TOption::kYes: line.yes = true; break;
    case TOption::kJobs: line.jobs = ParseJobs(value); break;
    case TOption::kJson: line.json = true; break;
    case TOption::kFilesFrom:
      if (value.empty()) throw EUsageError("--files-from needs a file name");
      line.filesFrom = value;
      break;
    case TOption::kNull: line.nullSeparated = true; break;
    case TOption::kHelp: line.command = TCommand::kHelp; break;
  }
}

TCommand ParseCommand(const std::string& word) {
  if (word == "help" || word == "--help" || word == "-h") return TCommand::kHelp;
  for (const TCommandName& entry : kCommands)
    if (word == entry.name) return entry.command;
  throw EUsageError("unknown command '" + word + "'");
}

void CheckComplete(const TCommandLine& line) {
  if (line.password && line.passwordFromStdin) throw EUsageError("-p and --password-stdin exclude each other");
  if (line.command == TCommand::kCheckValue || line.command == TCommand::kCheckStrength) {
    if (!line.paths.empty()) throw EUsageError(line.command == TCommand::kCheckValue ? "check-value takes no paths"
                                                           : "check-strength takes no paths");
    return;
  }
  if (line.nullSeparated && !line.filesFrom) throw EUsageError("-0/--null goes with --files-from");
  if (line.filesFrom == "-" && line.passwordFromStdin)
    throw EUsageError("--files-from - and --password-stdin both read standard input");
  if (line.filesFrom && line.output) throw EUsageError("-o takes exactly one file, not --files-from");
  if (line.paths.empty() && !line.filesFrom) throw EUsageError("no paths given");
  if (line.output && line.paths.size() != 1) throw EUsageError("-o takes exactly one file, not several paths");
  if (line.output == kStandardOutputName && line.command != TCommand::kDecrypt)
    throw EUsageError("-o - (standard output) is only for decrypt");
}

}  // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& words) {
  if (words.empty()) throw EUsageError("no command given");
  TCommandLine line;
  line.command = ParseCommand(words[0]);
  if (line.command == TCommand::kHelp) return line;

  const TCommand command = line.command;
  bool optionsEnded = false;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (optionsEnded || word.size() < 2 || word[0] != '-') {
      line.paths.push_back(word);
      continue;
    }
    if (word == "--") {
      optionsEnded = true;
      continue;
    }
    // "--name=value" is the same as "--name value", and "-Xvalue" as "-X value" (-j2; -pPASSWORD, which
    // must never come back in an error message as an unknown option).
    const bool longForm = word.starts_with("--");
    const size_t split = longForm ? word.find('=') : word.size() > 2 ? 2 : std::string::npos;
    const std::string name = word.substr(0, split);
    const TOptionSpec* entry = FindOption(name);
    if (!entry) throw EUsageError("unknown option '" + name + "'");
    if (!(entry->commands & Bit(command)))
      throw EUsageError(Spelling(*entry) + " does not apply to '" + words[0] + "'");

    std::string value;
    if (split != std::string::npos) {
      if (!entry->takesValue) throw EUsageError(Spelling(*entry) + " takes no value");
      value = word.substr(longForm ? split + 1 : split);
    } else if (entry->takesValue) {
      if (i + 1 == words.size()) throw EUsageError(Spelling(*entry) + " needs a value");
      value = words[++i];
    }
    Apply(entry->option, value, line);
    WipeString(value);  // it may be the password
    if (line.command == TCommand::kHelp) return line;
  }
  CheckComplete(line);
  return line;
}

}  // namespace zk::cli
