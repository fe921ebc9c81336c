// zkcli --json as a script reads it: every line of stdout parsed by Python's json module, names that are not
// UTF-8 carried byte for byte, and the result lines and texts in the user's language.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "ZkcliProcess.h"

namespace zk::test {
namespace {

// Parses JSON Lines with Python's json module and prints one line per object: kind, failed, the path and the
// other fields in key order, tab-separated, each text as its bytes (os.fsencode undoes the surrogate
// escapes) with those that are not UTF-8 as \xhh. Fails on any
// line that is not one JSON object.
constexpr char kReader[] = R"(
import json, os, sys
for line in open(sys.argv[1], encoding='utf-8', errors='surrogateescape'):
    assert line.endswith('\n')
    o = json.loads(line)
    assert isinstance(o, dict)
    shown = lambda v: os.fsencode(v).decode('utf-8', 'backslashreplace') if isinstance(v, str) else str(v)
    fields = [o.pop('kind'), str(o.pop('failed', '-'))]
    if 'path' in o:
        fields.append(shown(o.pop('path')))
    fields += ['%s=%s' % (k, shown(o[k])) for k in sorted(o)]
    print('\t'.join(fields))
)";

bool HavePython() { return std::system("python3 -c 'import json' >/dev/null 2>&1") == 0; }

// The objects of `out`, as kReader prints them.
std::string Parsed(const TempFolder& folder, const std::string& out) {
  const std::string lines = folder.WriteFile("out.jsonl", out);
  const std::string reader = folder.WriteFile("reader.py", kReader);
  std::string parsed;
  FILE* pipe = popen(("python3 " + reader + " " + lines).c_str(), "r");
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) parsed.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0) << parsed;
  return parsed;
}

// Sets the locale variables of the zkcli processes the test starts, and restores them at the end.
class LocaleScope {
 public:
  explicit LocaleScope(const char* locale) {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
      unsetenv(name);
    }
    setenv("LC_ALL", locale, 1);
  }
  ~LocaleScope() {
    for (size_t i = 0; i < std::size(kNames); ++i)
      if (saved_[i])
        setenv(kNames[i], saved_[i]->c_str(), 1);
      else
        unsetenv(kNames[i]);
  }

 private:
  static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"};
  std::vector<std::optional<std::string>> saved_;
};

class JsonOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HavePython()) GTEST_SKIP() << "python3 is not installed";
  }
  TempFolder folder;
  const std::string oddName = "b\xff\x01.txt";  // not UTF-8, and with a control character
};

TEST_F(JsonOutputTest, EncryptAndDecryptGiveAnObjectPerFileAndASummary) {
  LocaleScope locale("C.UTF-8");
  folder.WriteFile("a.txt", "plain a");
  folder.WriteFile(oddName, "plain b");
  ZkcliResult result =
      RunZkcli({"encrypt", "--json", "-p", "pw", "-j", "1", "a.txt", oddName}, folder.Path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(Parsed(folder, result.out),
            "encrypted\tFalse\ta.txt\toutput=a.txt.enc\ttext=暗号化成功：a.txt\n"
            "encrypted\tFalse\tb\\xff\x01.txt\toutput=b\\xff\x01.txt.enc\ttext=暗号化成功：b\\xff\x01.txt\n"
            "summary\t-\tfailures=0\tfiles=2\tsucceeded=2\n");

  result = RunZkcli({"decrypt", "--json", "-p", "wrong", "a.txt.enc"}, folder.Path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(Parsed(folder, result.out),
            "wrong-password\tTrue\ta.txt.enc\ttext=＊パスワードが違います：a.txt.enc\n"
            "summary\t-\tfailures=1\tfiles=1\tsucceeded=0\n");
  result = RunZkcli({"decrypt", "--json", "-p", "pw", "-o", "back.txt", oddName + ".enc"}, folder.Path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(Parsed(folder, result.out),
            "decrypted\tFalse\tb\\xff\x01.txt.enc\toutput=back.txt\ttext=復号成功 : b\\xff\x01.txt.enc\n"
            "summary\t-\tfailures=0\tfiles=1\tsucceeded=1\n");
  EXPECT_EQ(TempFolder::ReadFile(folder.Path("back.txt")), "plain b");
}

TEST_F(JsonOutputTest, WipeHintAndSha1) {
  LocaleScope locale("en_US.UTF-8");
  folder.WriteFile("a.txt", "abc");
  folder.WriteFile(oddName, "x");
  ASSERT_EQ(RunZkcli({"encrypt", "-p", "pw", "--hint", "ヒント\x1b", "a.txt"}, folder.Path()).exitCode, 0);

  ZkcliResult result = RunZkcli({"hint", "--json", "a.txt.enc", "a.txt"}, folder.Path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(Parsed(folder, result.out),
            "hint\tFalse\ta.txt.enc\thint=ヒント\x1b\ttext=ヒント\x1b\n"
            "hint-unreadable\tTrue\ta.txt\ttext=*Error: unknown format or read-only.*\n"
            "summary\t-\tfailures=1\tfiles=2\tsucceeded=1\n");

  result = RunZkcli({"sha1", "--json", "a.txt", "missing"}, folder.Path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(Parsed(folder, result.out),
            "sha1\tFalse\ta.txt\tsha1=A9993E36 4706816A BA3E2571 7850C26C 9CD0D89D\t"
            "text=A9993E36 4706816A BA3E2571 7850C26C 9CD0D89D\n"
            "sha1-failed\tTrue\tmissing\tcause=File not found ! (No such file or directory)\n"
            "summary\t-\tfailures=1\tfiles=2\tsucceeded=1\n");
  // The cause is on stderr too, as a person reads it.
  EXPECT_NE(result.err.find("zkcli: missing: File not found !"), std::string::npos) << result.err;

  result = RunZkcli({"wipe", "--yes", "--json", oddName}, folder.Path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(Parsed(folder, result.out),
            "wiped\tFalse\tb\\xff\x01.txt\ttext=Wiped: b\\xff\x01.txt\n"
            "summary\t-\tfailures=0\tfiles=1\tsucceeded=1\n");
}

// The list of --files-from, NUL-separated as find -print0 writes it, names that are not UTF-8 included.
// A random name is chosen at the last moment: the object of the file is where a script learns it, and it
// names the container that is there.
TEST_F(JsonOutputTest, ARandomContainerNameIsGiven) {
  LocaleScope locale("C.UTF-8");
  folder.WriteFile("a.txt", "plain a");
  const ZkcliResult result =
      RunZkcli({"encrypt", "--json", "-p", "pw", "--naming", "random", "a.txt"}, folder.Path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const std::string key = "\"output\":\"";
  const size_t at = result.out.find(key);
  ASSERT_NE(at, std::string::npos) << result.out;
  const std::string output =
      result.out.substr(at + key.size(), result.out.find('"', at + key.size()) - at - key.size());
  EXPECT_TRUE(output.ends_with(".bmp") && output != "a.txt.bmp") << output;
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder.Path()) / output)) << output;
}

TEST_F(JsonOutputTest, NulSeparatedListOfFiles) {
  LocaleScope locale("C");
  folder.WriteFile("a b\nc.txt", "abc");
  folder.WriteFile(oddName, "abc");
  const ZkcliResult result = RunZkcli({"sha1", "--json", "-0", "--files-from", "-"}, folder.Path(),
                                      std::string("a b\nc.txt\0", 10) + oddName + '\0');
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const std::string digest = "A9993E36 4706816A BA3E2571 7850C26C 9CD0D89D";
  EXPECT_EQ(Parsed(folder, result.out), "sha1\tFalse\ta b\nc.txt\tsha1=" + digest + "\ttext=" + digest +
                                            "\n" + "sha1\tFalse\tb\\xff\x01.txt\tsha1=" + digest + "\ttext=" +
                                            digest + "\n" + "summary\t-\tfailures=0\tfiles=2\tsucceeded=2\n");
}

// The result lines follow the language: English under an English locale, byte for byte today's Japanese
// under C and ja, whatever LANGUAGE says there.
TEST_F(JsonOutputTest, ResultLinesInTheUsersLanguage) {
  struct Case {
    const char* locale;
    std::string line;
  } cases[] = {
      {"en_US.UTF-8", "Encrypted: a.txt\n"}, {"C.UTF-8", "暗号化成功：a.txt\n"},
      {"POSIX", "暗号化成功：a.txt\n"},      {"ja_JP.UTF-8", "暗号化成功：a.txt\n"},
      {"de_DE.UTF-8", "Encrypted: a.txt\n"},
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(entry.locale);
    LocaleScope locale(entry.locale);
    TempFolder run;
    run.WriteFile("a.txt", "abc");
    const ZkcliResult result = RunZkcli({"encrypt", "-p", "a long enough password 1", "a.txt"}, run.Path());
    EXPECT_EQ(result.out, entry.line);
  }
}

}  // namespace
}  // namespace zk::test
