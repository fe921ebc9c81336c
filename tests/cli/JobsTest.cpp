// zkcli -j N: the result lines, their order, the exit status and the files left are those of -j 1, on a
// folder with name collisions, failures and source wipes, and on one with a read-only subfolder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "FileStatus.h"
#include "TempFolder.h"
#include "WriteProtection.h"
#include "ZkcliProcess.h"

namespace zk::test {
namespace {

constexpr std::time_t kPlainDate = 1600000000;  // containers store it: the same in every folder

std::string Bytes(size_t size, char seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + i * 7 + i / 251);
  return bytes;
}

std::map<std::string, std::string> FilesIn(const TempFolder& folder) {
  std::map<std::string, std::string> files;
  for (const std::string& name : folder.Listing())
    files[name] = name.ends_with("/") ? "" : TempFolder::ReadFile(folder.Path(name));
  return files;
}

struct TRun {
  ZkcliResult Encryption;
  ZkcliResult Decryption;
  std::map<std::string, std::string> Files;
};

// Encrypts a folder (a big file ahead of small ones, a name taken by a plain file, a locked file) wiping
// the sources, moves the containers of two files of one name into one folder, then decrypts everything
// there wiping the containers (two containers of one name, one of another password, a plain file).
TRun RunWithJobs(const std::string& jobs) {
  TempFolder folder;
  folder.MakeFolder("p");
  folder.MakeFolder("p/sub");
  const std::vector<std::pair<std::string, std::string>> plain = {
      {"p/big.bin", Bytes(6 << 20, 'g')}, {"p/a.txt", Bytes(30000, 'a')}, {"p/a.txt.enc", "in the way"},
      {"p/b.txt", Bytes(10, 'b')},        {"p/sub/a.txt", Bytes(500, 's')}, {"p/locked", "read-only"},
      {"p/empty", ""}};
  for (const auto& [name, bytes] : plain) SetModificationTime(folder.WriteFile(name, bytes), kPlainDate);
  TRun run;
  {
    WriteProtection lock(folder.Path("p/locked"));
    run.Encryption = RunZkcli({"encrypt", "-p", "pw", "-j", jobs, "--wipe-source", "p"}, folder.Path());
  }
  SetModificationTime(folder.WriteFile("p/other", "other"), kPlainDate);
  EXPECT_EQ(RunZkcli({"encrypt", "-p", "not pw", "-j", "1", "p/other"}, folder.Path()).exitCode, 0);
  std::filesystem::rename(folder.Path("p/sub/a.txt.enc"), folder.Path("p/a2.enc"));
  run.Decryption = RunZkcli({"decrypt", "-p", "pw", "-j", jobs, "--wipe-source", "p"}, folder.Path());
  run.Files = FilesIn(folder);
  return run;
}

TEST(ZkcliJobs, SeveralAtOnceGiveTheLinesStatusAndFilesOfOne) {
  const TRun one = RunWithJobs("1");
  EXPECT_EQ(one.Decryption.exitCode, 1);  // another password, a plain file
  EXPECT_NE(one.Decryption.out.find("_RENAMED"), std::string::npos);
  EXPECT_TRUE(one.Files.contains("p/a.txt_RENAMED.txt"));  // the second container storing "a.txt"
  for (const std::string jobs : {"2", "4"}) {
    SCOPED_TRACE("-j " + jobs);
    const TRun many = RunWithJobs(jobs);
    EXPECT_EQ(many.Encryption.exitCode, one.Encryption.exitCode);
    EXPECT_EQ(many.Encryption.out, one.Encryption.out);
    EXPECT_EQ(many.Decryption.exitCode, one.Decryption.exitCode);
    EXPECT_EQ(many.Decryption.out, one.Decryption.out);
    EXPECT_TRUE(many.Files == one.Files);
    for (const auto& [name, bytes] : one.Files) EXPECT_TRUE(many.Files.contains(name)) << name;
  }
}

// Whether the folder really refuses a new file (root may write a folder whatever its mode).
bool RefusesNewFiles(const std::string& folder) {
  const std::string probe = folder + "/probe";
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd < 0) return true;
  ::close(fd);
  ::unlink(probe.c_str());
  return false;
}

// Encrypts, then decrypts, a folder wiping the sources; its subfolder "ro" refuses new files throughout and
// holds a plain file and a container beside the plain file it came from. Empty when "ro" cannot be made so.
std::optional<TRun> RunWithReadOnlyFolder(const std::string& jobs) {
  TempFolder folder;
  for (const char* name : {"p", "p/ro", "p/w"}) folder.MakeFolder(name);
  const std::vector<std::pair<std::string, std::string>> plain = {
      {"p/big.bin", Bytes(4 << 20, 'g')}, {"p/a.txt", Bytes(30000, 'a')}, {"p/ro/x.txt", Bytes(700, 'x')},
      {"p/ro/y.txt", Bytes(900, 'y')},    {"p/w/b.txt", Bytes(20, 'b')},  {"p/z.txt", Bytes(5000, 'z')}};
  for (const auto& [name, bytes] : plain) SetModificationTime(folder.WriteFile(name, bytes), kPlainDate);
  EXPECT_EQ(RunZkcli({"encrypt", "-p", "pw", "p/ro/y.txt"}, folder.Path()).exitCode, 0);
  WriteProtection lock(folder.Path("p/ro"));
  if (!lock.Locked() || !RefusesNewFiles(folder.Path("p/ro"))) return std::nullopt;
  TRun run;
  run.Encryption = RunZkcli({"encrypt", "-p", "pw", "-j", jobs, "--wipe-source", "p"}, folder.Path());
  run.Decryption = RunZkcli({"decrypt", "-p", "pw", "-j", jobs, "--wipe-source", "p"}, folder.Path());
  run.Files = FilesIn(folder);
  return run;
}

// Every row in the read-only folder fails, every other row succeeds.
void ExpectFailuresOnlyInTheReadOnlyFolder(const std::string& lines) {
  std::istringstream stream(lines);
  for (std::string line; std::getline(stream, line);)
    EXPECT_EQ(line.starts_with("＊"), line.find("p/ro/") != std::string::npos) << line;
}

TEST(ZkcliJobs, RowsInAReadOnlyFolderFailAsWithOneAndTheOthersSucceed) {
  const std::optional<TRun> one = RunWithReadOnlyFolder("1");
  if (!one)
    GTEST_SKIP() << "cannot make a folder refuse new files here (as root on a file system without the "
                    "immutable attribute)";
  EXPECT_EQ(one->Encryption.exitCode, 1);
  EXPECT_EQ(one->Decryption.exitCode, 1);
  ExpectFailuresOnlyInTheReadOnlyFolder(one->Encryption.out);
  ExpectFailuresOnlyInTheReadOnlyFolder(one->Decryption.out);
  for (const char* name : {"p/a.txt", "p/w/b.txt", "p/z.txt"}) EXPECT_TRUE(one->Files.contains(name)) << name;
  // The read-only folder as it was.
  std::vector<std::string> readOnlyFolder;
  for (const auto& [name, bytes] : one->Files)
    if (name.starts_with("p/ro/")) readOnlyFolder.push_back(name);
  EXPECT_EQ(readOnlyFolder,
            (std::vector<std::string>{"p/ro/", "p/ro/x.txt", "p/ro/y.txt", "p/ro/y.txt.enc"}));
  EXPECT_TRUE(one->Files.at("p/ro/x.txt") == Bytes(700, 'x'));
  for (const std::string jobs : {"2", "4"}) {
    SCOPED_TRACE("-j " + jobs);
    const std::optional<TRun> many = RunWithReadOnlyFolder(jobs);
    ASSERT_TRUE(many);
    EXPECT_EQ(many->Encryption.exitCode, one->Encryption.exitCode);
    EXPECT_EQ(many->Encryption.out, one->Encryption.out);
    EXPECT_EQ(many->Decryption.exitCode, one->Decryption.exitCode);
    EXPECT_EQ(many->Decryption.out, one->Decryption.out);
    EXPECT_TRUE(many->Files == one->Files);
  }
}

}  // namespace
}  // namespace zk::test
