#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "WriteProtection.h"
#include "engine/BatchRules.h"
#include "engine/BatchRunner.h"
#include "engine/ContainerFormat.h"
#include "engine/FileEngine.h"
#include "engine/ResultTexts.h"
#include "platform/File.h"
#include "platform/Random.h"

namespace zk {
namespace {

std::string Relative(std::string text, const std::string& folder) {
  for (size_t at; (at = text.find(folder)) != std::string::npos;) text.replace(at, folder.size(), "<F>/");
  return text;
}

class TRecorder : public TBatchRowsObserver {
 public:
  void RowsInProgress(int first, int last) override {
    EXPECT_LE(first, last);
    EXPECT_GE(first, static_cast<int>(Rows.size()));  // never a row already delivered
  }
  void RowDone(int row, const TRowResult& result) override {
    EXPECT_EQ(row, static_cast<int>(Rows.size()));
    Rows.push_back(result);
  }
  void BatchProgress(int64_t done, int64_t total) override {
    EXPECT_GE(done, LastDone);
    EXPECT_LE(done, total);
    LastDone = done;
  }
  std::vector<TRowResult> Rows;
  int64_t LastDone = 0;
};

// What a run leaves: each row's text, failure and decrypted path, and every file with its bytes.
struct TOutcome {
  std::vector<std::string> Rows;
  std::map<std::string, std::string> Files;
  bool operator==(const TOutcome&) const = default;
};

// A container's bytes with its stored date blanked: the file read through a second name after its first
// name's wipe carries the moment of that wipe.
std::string WithoutStoredDate(std::string bytes) {
  if (bytes.size() < kMagicBytes || ClassifyMagic(bytes.substr(0, kMagicBytes)) != TMagicVerdict::kCurrent)
    return bytes;
  size_t at = kMagicBytes + 4 + kCheckBlockBytes;
  for (int field = 0; field < 2 && at + 4 <= bytes.size(); ++field) {
    const auto byte = [&](size_t i) { return static_cast<size_t>(static_cast<uint8_t>(bytes[at + i])); };
    at += 4 + (byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24);
  }
  if (at + 4 <= bytes.size()) bytes.replace(at, 4, 4, '\0');
  return bytes;
}

TOutcome Outcome(const test::TempFolder& folder, const TRecorder& recorder) {
  TOutcome outcome;
  for (const TRowResult& row : recorder.Rows)
    outcome.Rows.push_back(Relative(row.Text(), folder.Path()) + (row.Failed() ? " failed " : " ok ") +
                           Relative(row.OutputPath, folder.Path()));
  for (const std::string& name : folder.Listing())
    outcome.Files[name] =
        name.ends_with("/") ? "" : WithoutStoredDate(test::TempFolder::ReadFile(folder.Path(name)));
  return outcome;
}

std::string Bytes(size_t size, char seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + i * 7 + i / 251);
  return bytes;
}

enum class TScenario { kEncryptWipe, kEncryptRandomNames, kDecryptWipe };

struct TBatchCase {
  const char* Name;
  TScenario Scenario;
};

class BatchRunner : public ::testing::TestWithParam<TBatchCase> {
 protected:
  // Containers store their file's date: every run's files get the same one.
  static std::string Dated(const std::string& path) {
    const struct timespec times[2] = {{1700000000, 0}, {1700000000, 0}};
    EXPECT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
    return path;
  }

  // Name collisions, a file listed twice and a second name of a file that is wiped, a big file ahead of
  // small ones, a locked file, an empty one, a missing one and one that the row before it makes.
  static std::vector<std::string> PlainFiles(const test::TempFolder& folder) {
    folder.WriteFile("a.txt.enc", "in the way");
    folder.WriteFile("a.txt.enc_RENAMED.enc", "also in the way");
    const std::string shared = Dated(folder.WriteFile("c.txt", Bytes(20000, 'c')));
    EXPECT_EQ(::link(shared.c_str(), folder.Path("c-link").c_str()), 0);
    return {Dated(folder.WriteFile("big.bin", Bytes(3 << 20, 'g'))),
            Dated(folder.WriteFile("a.txt", Bytes(3 * 8192 + 5, 'a'))),
            Dated(folder.Path("a.txt.enc")),
            Dated(folder.WriteFile("b.txt", Bytes(100, 'b'))),
            folder.Path("b.txt"),
            shared,
            folder.Path("c-link"),
            Dated(folder.WriteFile("locked", "read-only")),
            Dated(folder.WriteFile("empty", "")),
            folder.Path("missing"),
            Dated(folder.WriteFile("d", Bytes(50000, 'd'))),
            folder.Path("d.enc")};  // made by the row before
  }

  // Two containers storing one name beside a plain file of that name, a container storing its own name,
  // one of another password, a big one first.
  static std::vector<std::string> Containers(const test::TempFolder& folder) {
    TFileEngine engine;
    engine.ProcessMsgInterval = 1;
    const auto contain = [&](const std::string& plain, const std::string& container,
                             const std::string& password) {
      EXPECT_EQ(engine.EncryptFile(Dated(plain), plain + ".enc", password, "", 0), TResultKind::kEncrypted);
      std::filesystem::rename(plain + ".enc", folder.Path(container));
      std::filesystem::remove(plain);
      return folder.Path(container);
    };
    folder.MakeFolder("one");
    folder.MakeFolder("two");
    folder.WriteFile("x", "plain x in the way");
    return {contain(folder.WriteFile("one/big", Bytes(3 << 20, 'B')), "big.enc", "pw"),
            contain(folder.WriteFile("one/x", Bytes(9000, '1')), "x1.enc", "pw"),
            contain(folder.WriteFile("two/x", Bytes(5000, '2')), "x2.enc", "pw"),
            contain(folder.WriteFile("one/self", Bytes(10, 's')), "self", "pw"),
            contain(folder.WriteFile("two/w", "other"), "wrong.enc", "not pw"),
            folder.WriteFile("plain.txt", "not a container")};
  }

  static TOutcome Run(TScenario scenario, int workers) {
    test::TempFolder folder;
    const bool decrypt = scenario == TScenario::kDecryptWipe;
    const std::vector<std::string> files = decrypt ? Containers(folder) : PlainFiles(folder);
    test::WriteProtection lock(decrypt ? folder.Path("x") : folder.Path("locked"));
    TBatchOptions options;
    options.Password = "pw";
    options.Hint = "hint";
    options.WipeSource = true;
    options.WipeDecryptedSource = true;
    if (scenario == TScenario::kEncryptRandomNames) options.NamingMode = kNamingRandom;
    TFileEngine engine;
    engine.ProcessMsgInterval = 1;
    RandomGenerator().seed(20261210);
    TRecorder recorder;
    RunBatchRows(
        workers, engine, files,
        [&](TFileEngine& rowEngine, int row) {
          return decrypt ? PrepareDecryptRow(rowEngine, files[row], options)
                         : PrepareEncryptRow(rowEngine, files[row], options);
        },
        recorder);
    EXPECT_EQ(recorder.Rows.size(), files.size());
    return Outcome(folder, recorder);
  }
};

TEST_P(BatchRunner, SeveralWorkersGiveWhatOneGives) {
  const TOutcome one = Run(GetParam().Scenario, 1);
  // The fixture does what it is meant to: some rows fail, some succeed.
  EXPECT_NE(std::count_if(one.Rows.begin(), one.Rows.end(),
                          [](const std::string& r) { return r.find(" failed ") != std::string::npos; }),
            0);
  EXPECT_NE(std::count_if(one.Rows.begin(), one.Rows.end(),
                          [](const std::string& r) { return r.find(" ok ") != std::string::npos; }),
            0);
  for (const int workers : {2, 4}) {
    const TOutcome many = Run(GetParam().Scenario, workers);
    EXPECT_EQ(many.Rows, one.Rows) << workers << " workers";
    EXPECT_TRUE(many.Files == one.Files) << workers << " workers";
    for (const auto& [name, bytes] : one.Files)
      EXPECT_TRUE(many.Files.contains(name)) << name << " missing with " << workers << " workers";
  }
}

INSTANTIATE_TEST_SUITE_P(Batches, BatchRunner,
                         ::testing::Values(TBatchCase{"EncryptWipe", TScenario::kEncryptWipe},
                                           TBatchCase{"EncryptRandomNames", TScenario::kEncryptRandomNames},
                                           TBatchCase{"DecryptWipe", TScenario::kDecryptWipe}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(BatchRunnerRows, ThrowingRowIsAnUnexpectedErrorAndProgressCoversTheWholeBatch) {
  test::TempFolder folder;
  std::vector<std::string> files;
  for (int i = 0; i < 12; ++i)
    files.push_back(folder.WriteFile("f" + std::to_string(i), Bytes(1000 + i, 'f')));
  TFileEngine engine;
  TRecorder recorder;
  RunBatchRows(
      3, engine, files,
      [&](TFileEngine&, int row) -> TRowResult {
        if (row == 5) throw std::runtime_error("row 5");
        return {TResultKind::kWiped, std::to_string(row), {}};
      },
      recorder);
  ASSERT_EQ(recorder.Rows.size(), files.size());
  for (int row = 0; row < 12; ++row) {
    EXPECT_EQ(recorder.Rows[row].Kind, row == 5 ? TResultKind::kUnexpectedError : TResultKind::kWiped);
    EXPECT_EQ(recorder.Rows[row].OutputPath, row == 5 ? "" : std::to_string(row));  // in list order
  }
  EXPECT_EQ(recorder.LastDone, 12 * 1000 + 66);  // every row's bytes, the failed one's too
}

// The threads of this process, from /proc.
int ThreadCount() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("Threads:")) return std::stoi(line.substr(8));
  return -1;
}

// An observer that fails in the middle of a run on several threads: the run ends early, and it ends whole.
TEST(BatchRunnerRows, ThrowingObserverReachesTheCallerAfterEveryWorkerEnded) {
  class TThrowingRecorder : public TBatchRowsObserver {
   public:
    void RowsInProgress(int, int) override {}
    void RowDone(int row, const TRowResult&) override {
      if (row == 1) throw std::runtime_error("observer failed");
    }
  };
  test::TempFolder folder;
  std::vector<std::string> files;
  for (int i = 0; i < 16; ++i) files.push_back(folder.WriteFile("f" + std::to_string(i), Bytes(300000, 'f')));
  TBatchOptions options;
  options.Password = "pw";
  TFileEngine engine;
  std::atomic<int> rowsRunning{0};
  TThrowingRecorder observer;
  std::thread([] {}).join();  // ThreadSanitizer's runtime starts a thread of its own with the first one
  const int threadsBefore = ThreadCount();
  try {
    RunBatchRows(
        4, engine, files,
        [&](TFileEngine& rowEngine, int row) {
          ++rowsRunning;
          TPreparedRow result = PrepareEncryptRow(rowEngine, files[row], options);
          --rowsRunning;
          return result;
        },
        observer);
    FAIL() << "the observer's exception did not reach the caller";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "observer failed");
  }
  EXPECT_EQ(rowsRunning, 0);
  EXPECT_EQ(ThreadCount(), threadsBefore);
  // Every row that began finished: its container is whole, and no temporary is left.
  for (const std::string& name : folder.Listing()) {
    EXPECT_EQ(name.find(kUnfinishedMark), std::string::npos) << name;
    if (!name.ends_with(".enc")) continue;
    TFileEngine check;
    check.ExplicitOutputName = folder.Path("check");
    EXPECT_EQ(check.DecryptFile(folder.Path(name), "pw"), TResultKind::kDecrypted) << name;
    EXPECT_TRUE(test::TempFolder::ReadFile(folder.Path("check")) == Bytes(300000, 'f')) << name;
    std::filesystem::remove(folder.Path("check"));
  }
}

}  // namespace
}  // namespace zk
