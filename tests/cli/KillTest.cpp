// zkcli killed (SIGKILL) at random moments of an encryption or a decryption, with and without the wipe of
// its source: what stands afterwards is the source or a complete output, and never a truncated file under
// a final name. The format stores no length, so a truncated container could not be told from a whole one.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "FileStatus.h"
#include "InterruptedRun.h"
#include "TempFolder.h"
#include "ZkcliProcess.h"
#include "engine/FileEngine.h"
#include "engine/ResultTexts.h"

namespace zk::test {
namespace {

constexpr int kMoments = 5;

struct KillCase {
  const char* name;
  bool decrypt;
  bool wipeSource;
};

class Killed : public ::testing::TestWithParam<KillCase> {
 protected:
  void SetUp() override {
    plain_ = PlainBytes(8 << 20);
    folder_.WriteFile("a.bin", plain_);
    ASSERT_EQ(RunZkcli({"encrypt", "-p", "pw", "a.bin"}, folder_.Path()).exitCode, 0);
    container_ = TempFolder::ReadFile(folder_.Path("a.bin.enc"));
    arguments_ = {GetParam().decrypt ? "decrypt" : "encrypt", "-p", "pw", SourceName()};
    if (GetParam().wipeSource) arguments_.push_back("--wipe-source");
  }

  std::string SourceName() const { return GetParam().decrypt ? "a.bin.enc" : "a.bin"; }
  std::string OutputName() const { return GetParam().decrypt ? "a.bin" : "a.bin.enc"; }
  const std::string& SourceBytes() const { return GetParam().decrypt ? container_ : plain_; }

  // A folder holding only the source of one run.
  std::string RunFolder(int run) {
    const std::string folder = folder_.MakeFolder("run" + std::to_string(run)) + "/";
    folder_.WriteFile("run" + std::to_string(run) + "/" + SourceName(), SourceBytes());
    return folder;
  }

  // What a container decrypts to, or a note why it does not.
  std::string Decrypted(const std::string& container, const std::string& folder) {
    TFileEngine engine;
    engine.ExplicitOutputName = folder + "check";
    if (engine.DecryptFile(container, "pw") != TResultKind::kDecrypted) return "(not decrypted)";
    const std::string bytes = TempFolder::ReadFile(folder + "check");
    std::filesystem::remove(folder + "check");
    return bytes;
  }

  void CheckWhatStands(const std::string& folder) {
    const std::string output = folder + OutputName();
    const std::string source = folder + SourceName();
    if (Exists(output)) {
      const std::string restored =
          GetParam().decrypt ? TempFolder::ReadFile(output) : Decrypted(output, folder);
      EXPECT_TRUE(restored == plain_) << "a truncated output stands under its final name: " << restored.size()
                                      << " of " << plain_.size() << " bytes";
    } else {
      ASSERT_TRUE(Exists(source)) << "neither the source nor an output is left";
    }
    if (!Exists(output) || !GetParam().wipeSource) {
      EXPECT_TRUE(TempFolder::ReadFile(source) == SourceBytes()) << "the source was changed";
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string name = entry.path().filename();
      EXPECT_TRUE(name == SourceName() || name == OutputName() ||
                  name.find(kUnfinishedMark) != std::string::npos)
          << name;
    }
  }

  TempFolder folder_;
  std::string plain_;
  std::string container_;
  std::vector<std::string> arguments_;
};

TEST_P(Killed, LeavesTheSourceOrACompleteOutput) {
  // A whole run first: its length spreads the moments over a run, wherever the tests run.
  const std::string whole = RunFolder(0);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(WaitForZkcli(StartZkcli(arguments_, whole)), 0);
  const auto length = std::chrono::steady_clock::now() - start;
  CheckWhatStands(whole);

  const unsigned seed = std::random_device()();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> share(0.0, 1.2);
  for (int run = 1; run <= kMoments; ++run) {
    const std::string folder = RunFolder(run);
    const auto moment = std::chrono::duration_cast<std::chrono::microseconds>(length * share(random));
    SCOPED_TRACE("killed after " + std::to_string(moment.count()) + " µs");
    const pid_t child = StartZkcli(arguments_, folder);
    std::this_thread::sleep_for(moment);
    ::kill(child, SIGKILL);
    WaitForZkcli(child);
    CheckWhatStands(folder);
  }
}

INSTANTIATE_TEST_SUITE_P(Zkcli, Killed,
                         ::testing::Values(KillCase{"Encrypt", false, false},
                                           KillCase{"EncryptWipingTheSource", false, true},
                                           KillCase{"Decrypt", true, false},
                                           KillCase{"DecryptWipingTheSource", true, true}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zk::test
