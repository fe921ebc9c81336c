#include "cli/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "engine/OutputNames.h"
#include "platform/Paths.h"

namespace zk::cli {
namespace {

constexpr unsigned Bit(Command command) { return 1u << static_cast<unsigned>(command); }

constexpr unsigned kFileCommands = Bit(Command::kEncrypt) | Bit(Command::kDecrypt) | Bit(Command::kWipe) |
                                   Bit(Command::kHint) | Bit(Command::kSha1);
constexpr unsigned kPasswordCommands =
    Bit(Command::kEncrypt) | Bit(Command::kDecrypt) | Bit(Command::kCheckValue) | Bit(Command::kCheckStrength);

struct CommandName {
  std::string_view name;
  Command command;
};
constexpr std::array kCommands{
    CommandName{"encrypt", Command::kEncrypt}, CommandName{"decrypt", Command::kDecrypt},
    CommandName{"wipe", Command::kWipe},       CommandName{"hint", Command::kHint},
    CommandName{"sha1", Command::kSha1},       CommandName{"check-value", Command::kCheckValue},
    CommandName{"check-strength", Command::kCheckStrength},
};

enum class Option {
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

struct OptionSpec {
  Option option;
  std::string_view longName;  // without the leading "--"
  char shortName;             // 0 = none
  bool takesValue;
  unsigned commands;  // the commands that accept it
};
constexpr std::array kOptions{
    OptionSpec{Option::kPassword, "password", 'p', true, kPasswordCommands},
    OptionSpec{Option::kPasswordStdin, "password-stdin", 0, false, kPasswordCommands},
    OptionSpec{Option::kHint, "hint", 0, true, Bit(Command::kEncrypt)},
    OptionSpec{Option::kAlgorithm, "algorithm", 'a', true, Bit(Command::kEncrypt)},
    OptionSpec{Option::kNaming, "naming", 0, true, Bit(Command::kEncrypt)},
    OptionSpec{Option::kExtension, "ext", 0, true, Bit(Command::kEncrypt)},
    OptionSpec{Option::kLevel, "level", 0, true, Bit(Command::kEncrypt)},
    OptionSpec{Option::kWipeSource, "wipe-source", 0, false, Bit(Command::kEncrypt) | Bit(Command::kDecrypt)},
    OptionSpec{Option::kOutput, "output", 'o', true, Bit(Command::kEncrypt) | Bit(Command::kDecrypt)},
    OptionSpec{Option::kNoRecurse, "no-recurse", 0, false, kFileCommands},
    OptionSpec{Option::kYes, "yes", 'y', false, Bit(Command::kWipe)},
    OptionSpec{Option::kJobs, "jobs", 'j', true,
               Bit(Command::kEncrypt) | Bit(Command::kDecrypt) | Bit(Command::kWipe)},
    OptionSpec{Option::kJson, "json", 0, false, kFileCommands},
    OptionSpec{Option::kFilesFrom, "files-from", 0, true, kFileCommands},
    OptionSpec{Option::kNull, "null", '0', false, kFileCommands},
    OptionSpec{Option::kHelp, "help", 'h', false, ~0u},
};

std::string Spelling(const OptionSpec& entry) {
  return entry.shortName ? "-" + std::string(1, entry.shortName) + "/--" + std::string(entry.longName)
                         : "--" + std::string(entry.longName);
}

const OptionSpec* FindOption(std::string_view word) {
  auto matches = [word](const OptionSpec& entry) {
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
  throw UsageError("bad algorithm '" + value + "' (twofish, rijndael, gost, 0, 1 or 2)");
}

Naming ParseNaming(const std::string& value) {
  if (value == "enc") return Naming::kEnc;
  if (value == "own") return Naming::kOwnExtension;
  if (value == "random") return Naming::kRandom;
  throw UsageError("bad naming '" + value + "' (enc, own or random)");
}

int ParseLevel(const std::string& value) {
  if (value.size() == 1 && value[0] >= '1' && value[0] <= '4') return value[0] - '0';
  throw UsageError("bad security level '" + value + "' (1 to 4)");
}

int ParseJobs(const std::string& value) {
  constexpr int kMaxJobs = 999;
  const bool digits = !value.empty() && value.size() <= 3 &&
                      std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
  const int jobs = digits ? std::stoi(value) : 0;
  if (jobs < 1 || jobs > kMaxJobs) throw UsageError("bad number of jobs '" + value + "' (1 to 999)");
  return jobs;
}

void Apply(Option option, const std::string& value, CommandLine& line) {
  switch (option) {
    case Option::kPassword: line.password = TSecretBytes(value); break;
    case Option::kPasswordStdin: line.passwordFromStdin = true; break;
    case Option::kHint: line.hint = value; break;
    case Option::kAlgorithm: line.algorithm = ParseAlgorithm(value); break;
    case Option::kNaming: line.naming = ParseNaming(value); break;
    case Option::kExtension:
      if (value.find('/') != std::string::npos) throw UsageError("--ext must not contain '/'");
      line.extension = value;
      break;
    case Option::kLevel: line.level = ParseLevel(value); break;
    case Option::kWipeSource: line.wipeSource = true; break;
    case Option::kOutput:
      if (value.empty()) throw UsageError("-o needs a file name");
      line.output = value;
      break;
    case Option::kNoRecurse: line.recurse = false; break;
    case Option::kYes: line.yes = true; break;
    case Option::kJobs: line.jobs = ParseJobs(value); break;
    case Option::kJson: line.json = true; break;
    case Option::kFilesFrom:
      if (value.empty()) throw UsageError("--files-from needs a file name");
      line.filesFrom = value;
      break;
    case Option::kNull: line.nullSeparated = true; break;
    case Option::kHelp: line.command = Command::kHelp; break;
  }
}

Command ParseCommand(const std::string& word) {
  if (word == "help" || word == "--help" || word == "-h") return Command::kHelp;
  for (const CommandName& entry : kCommands)
    if (word == entry.name) return entry.command;
  throw UsageError("unknown command '" + word + "'");
}

void CheckComplete(const CommandLine& line) {
  if (line.password && line.passwordFromStdin) throw UsageError("-p and --password-stdin exclude each other");
  if (line.command == Command::kCheckValue || line.command == Command::kCheckStrength) {
    if (!line.paths.empty()) throw UsageError(line.command == Command::kCheckValue ? "check-value takes no paths"
                                                           : "check-strength takes no paths");
    return;
  }
  if (line.nullSeparated && !line.filesFrom) throw UsageError("-0/--null goes with --files-from");
  if (line.filesFrom == "-" && line.passwordFromStdin)
    throw UsageError("--files-from - and --password-stdin both read standard input");
  if (line.filesFrom && line.output) throw UsageError("-o takes exactly one file, not --files-from");
  if (line.paths.empty() && !line.filesFrom) throw UsageError("no paths given");
  if (line.output && line.paths.size() != 1) throw UsageError("-o takes exactly one file, not several paths");
  if (line.output == kStandardOutputName && line.command != Command::kDecrypt)
    throw UsageError("-o - (standard output) is only for decrypt");
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& words) {
  if (words.empty()) throw UsageError("no command given");
  CommandLine line;
  line.command = ParseCommand(words[0]);
  if (line.command == Command::kHelp) return line;

  const Command command = line.command;
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
    const OptionSpec* entry = FindOption(name);
    if (!entry) throw UsageError("unknown option '" + name + "'");
    if (!(entry->commands & Bit(command)))
      throw UsageError(Spelling(*entry) + " does not apply to '" + words[0] + "'");

    std::string value;
    if (split != std::string::npos) {
      if (!entry->takesValue) throw UsageError(Spelling(*entry) + " takes no value");
      value = word.substr(longForm ? split + 1 : split);
    } else if (entry->takesValue) {
      if (i + 1 == words.size()) throw UsageError(Spelling(*entry) + " needs a value");
      value = words[++i];
    }
    Apply(entry->option, value, line);
    WipeString(value);  // it may be the password
    if (line.command == Command::kHelp) return line;
  }
  CheckComplete(line);
  return line;
}

}  // namespace zk::cli
