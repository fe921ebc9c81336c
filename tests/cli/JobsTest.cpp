// zkcli -j N: the result lines, their order, the exit status and the files left are those of -j 1, on a
// folder with name collisions, failures and source wipes.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <map>
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
  for (const std::string& name : folder.Listing())
    run.Files[name] = name.ends_with("/") ? "" : TempFolder::ReadFile(folder.Path(name));
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

}  // namespace
}  // namespace zk::test
