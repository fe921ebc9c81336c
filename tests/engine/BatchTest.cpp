#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "engine/Batch.h"
#include "engine/FileEngine.h"

namespace zk {
namespace {

using test::TempFolder;

class TRowOrder : public TBatchRowsObserver {
 public:
  explicit TRowOrder(const TBatch& batch) : batch_(batch) {}
  void RowsInProgress(int, int) override {}
  void RowDone(int row, const TRowResult& result) override {
    EXPECT_EQ(row, static_cast<int>(Done.size()));
    // The batch keeps the result before anyone hears of it, so an observer may show the row from the batch.
    ASSERT_TRUE(batch_.Rows()[row].Result);
    EXPECT_EQ(batch_.Rows()[row].Result->Kind, result.Kind);
    Done.push_back(result.Kind);
  }
  std::vector<TResultKind> Done;

 private:
  const TBatch& batch_;
};

std::vector<TResultKind> RunBatch(TBatch& batch, int workers, const std::string& password) {
  TFileEngine engine;
  TBatchOptions options;
  options.Password = password;
  TRowOrder order(batch);
  batch.Run(workers, engine, options, order);
  return order.Done;
}

std::string Encrypted(const TempFolder& folder, const std::string& name, const std::string& content,
                      const std::string& hint) {
  TFileEngine engine;
  const std::string plain = folder.WriteFile(name, content);
  const std::string container = plain + ".enc";
  EXPECT_EQ(engine.EncryptFile(plain, container, "password", hint, 0), TResultKind::kEncrypted);
  std::filesystem::remove(plain);
  return container;
}

class BatchTest : public ::testing::TestWithParam<int> {};

// A decryption, then the re-encryption of what it left with each container's own hint; a row that was not
// decrypted keeps its container and fails as not re-encrypted. The last row's hint is carried over.
TEST_P(BatchTest, ReEncryptsWhatTheDecryptionLeftWithEachContainersHint) {
  TempFolder folder;
  const std::string alpha = Encrypted(folder, "alpha.txt", "first", "アルファ");
  const std::string junk = folder.WriteFile("junk.enc", "no container");
  const std::string beta = Encrypted(folder, "beta.txt", std::string(70000, 'b'), "beta");
  TFileEngine engine;
  TBatch batch(TBatchMode::kDecrypt);
  batch.AddShowingHints({alpha, junk, beta}, engine);
  EXPECT_EQ(batch.Rows()[0].Hint, "アルファ");
  EXPECT_FALSE(batch.Rows()[1].Hint);

  EXPECT_EQ(RunBatch(batch, GetParam(), "password"),
            (std::vector{TResultKind::kDecrypted, TResultKind::kDecryptFailed, TResultKind::kDecrypted}));
  EXPECT_EQ(batch.FailureCount(), 1);
  ASSERT_TRUE(batch.CanReEncrypt());
  EXPECT_EQ(batch.Rows()[0].DecryptedPath, folder.Path("alpha.txt"));
  EXPECT_EQ(batch.Rows()[1].DecryptedPath, "");

  batch.BeginReEncryption();
  EXPECT_TRUE(batch.ReEncrypting());
  EXPECT_EQ(batch.Mode(), TBatchMode::kEncrypt);
  EXPECT_EQ(batch.Rows()[0].Path, folder.Path("alpha.txt"));
  EXPECT_EQ(batch.Rows()[1].Path, junk);  // not decrypted: the row still names its container
  EXPECT_EQ(
      RunBatch(batch, GetParam(), "password"),
      (std::vector{TResultKind::kEncrypted, TResultKind::kReEncryptNotDecrypted, TResultKind::kEncrypted}));
  EXPECT_EQ(batch.FailureCount(), 1);
  EXPECT_FALSE(batch.ReEncrypting());
  EXPECT_FALSE(batch.CanReEncrypt());
  EXPECT_EQ(batch.HintCarriedOver(), "beta");
  EXPECT_EQ(engine.ReadHint(folder.Path("alpha.txt.enc")), "アルファ");
  EXPECT_EQ(engine.ReadHint(folder.Path("beta.txt.enc")), "beta");
}

INSTANTIATE_TEST_SUITE_P(Workers, BatchTest, ::testing::Values(1, 2));

// What a row shows of a hint depends on the mode it was listed under: a container named before the switch
// to decryption shows none, and zkcli's rows read none at all.
TEST(Batch, ReadsHintsOnlyForRowsListedForDecryption) {
  TempFolder folder;
  const std::string container = Encrypted(folder, "a.txt", "a", "hint");
  TFileEngine engine;
  TBatch batch;
  batch.AddShowingHints({container}, engine);
  batch.SetMode(TBatchMode::kDecrypt);
  batch.AddShowingHints({container}, engine);
  batch.Add({container});
  ASSERT_EQ(batch.Count(), 3);
  EXPECT_FALSE(batch.Rows()[0].HintRead);
  EXPECT_TRUE(batch.Rows()[1].HintRead);
  EXPECT_EQ(batch.Rows()[1].Hint, "hint");
  EXPECT_FALSE(batch.Rows()[2].HintRead);
}

TEST(Batch, RemovesRowsGivenInAnyOrderOnce) {
  TBatch batch(TBatchMode::kWipe);
  batch.Add({"a", "b", "c", "d", "e"});
  batch.Remove({3, 0, 3, 9, -1});
  ASSERT_EQ(batch.Count(), 3);
  EXPECT_EQ(batch.Rows()[0].Path, "b");
  EXPECT_EQ(batch.Rows()[1].Path, "c");
  EXPECT_EQ(batch.Rows()[2].Path, "e");
}

// A run that is not a decryption offers no re-encryption, and asking for one changes nothing.
TEST(Batch, OnlyADecryptionCanBeReEncrypted) {
  TempFolder folder;
  const std::string plain = folder.WriteFile("plain.txt", "text");
  TBatch batch;
  batch.Add({plain});
  EXPECT_EQ(RunBatch(batch, 1, "password"), std::vector{TResultKind::kEncrypted});
  EXPECT_FALSE(batch.CanReEncrypt());
  batch.BeginReEncryption();
  EXPECT_FALSE(batch.ReEncrypting());
  EXPECT_EQ(batch.Rows()[0].Path, plain);
}

}  // namespace
}  // namespace zk
