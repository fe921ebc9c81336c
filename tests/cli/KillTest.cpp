// zkcli killed (SIGKILL) at random moments of an encryption or a decryption, with and without the wipe of
// its source, one file alone or two at once (-j 2): what stands afterwards is each file's source or its
// complete output: never a truncated file under a final name, nor a partial one under a temporary name.
// The format stores no length, so a
// truncated container could not be told from a whole one.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <algorithm>
#include <filesystem>
#include <map>
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
  int jobs;  // also the number of files of a run
};

class Killed : public ::testing::TestWithParam<KillCase> {
 protected:
  void SetUp() override {
    plain_ = PlainBytes(8 << 20);
    stems_.resize(static_cast<size_t>(GetParam().jobs));
    std::generate(stems_.begin(), stems_.end(), [letter = 'a']() mutable { return std::string(1, letter++); });
    arguments_ = {GetParam().decrypt ? "decrypt" : "encrypt", "-p", "pw", "-j", std::to_string(GetParam().jobs)};
    for (const std::string& stem : stems_) {
      folder_.WriteFile(stem + ".bin", plain_);
      ASSERT_EQ(RunZkcli({"encrypt", "-p", "pw", stem + ".bin"}, folder_.Path()).exitCode, 0);
      containers_[stem] = TempFolder::ReadFile(folder_.Path(stem + ".bin.enc"));
      arguments_.push_back(SourceName(stem));
    }
    if (GetParam().wipeSource) arguments_.push_back("--wipe-source");
  }

  std::string SourceName(const std::string& stem) const { return stem + (GetParam().decrypt ? ".bin.enc" : ".bin"); }
  std::string OutputName(const std::string& stem) const { return stem + (GetParam().decrypt ? ".bin" : ".bin.enc"); }
  const std::string& SourceBytes(const std::string& stem) const {
    return GetParam().decrypt ? containers_.at(stem) : plain_;
  }

  // A folder holding only the sources of one run.
  std::string RunFolder(int run) {
    const std::string folder = folder_.MakeFolder("run" + std::to_string(run)) + "/";
    for (const std::string& stem : stems_)
      folder_.WriteFile("run" + std::to_string(run) + "/" + SourceName(stem), SourceBytes(stem));
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
    std::vector<std::string> expectedNames;
    for (const std::string& stem : stems_) {
      SCOPED_TRACE(stem);
      const std::string output = folder + OutputName(stem);
      const std::string source = folder + SourceName(stem);
      if (Exists(output)) {
        const std::string restored =
            GetParam().decrypt ? TempFolder::ReadFile(output) : Decrypted(output, folder);
        EXPECT_TRUE(restored == plain_) << "a truncated output stands under its final name: " << restored.size()
                                        << " of " << plain_.size() << " bytes";
      } else {
        ASSERT_TRUE(Exists(source)) << "neither the source nor an output is left";
      }
      if (!Exists(output) || !GetParam().wipeSource) {
        EXPECT_TRUE(TempFolder::ReadFile(source) == SourceBytes(stem)) << "the source was changed";
      }
      expectedNames.push_back(SourceName(stem));
      expectedNames.push_back(OutputName(stem));
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string name = entry.path().filename();
      // An output has no name until it is complete: a kill leaves no partial one, not even a temporary.
      EXPECT_TRUE(std::find(expectedNames.begin(), expectedNames.end(), name) != expectedNames.end()) << name;
    }
  }

  TempFolder folder_;
  std::string plain_;
  std::vector<std::string> stems_;  // the files of a run: a.bin, b.bin, ...
  std::map<std::string, std::string> containers_;
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
                         ::testing::Values(KillCase{"Encrypt", false, false, 1},
                                           KillCase{"EncryptWipingTheSource", false, true, 1},
                                           KillCase{"Decrypt", true, false, 1},
                                           KillCase{"DecryptWipingTheSource", true, true, 1},
                                           KillCase{"EncryptWipingTheSourceTwoAtOnce", false, true, 2},
                                           KillCase{"DecryptWipingTheSourceTwoAtOnce", true, true, 2}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zk::test
