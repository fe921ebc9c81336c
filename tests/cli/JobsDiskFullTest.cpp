// zkcli -j N on a disk that fills up, wiping the sources. Rows that run at once compete for the space left,
// so which of them fail may differ from one run to the next; what may not differ: every row that reports
// success has a whole output, every row that fails leaves its source as it was, no temporary and no
// truncated file stays behind, and the lines are the rows in list order.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "FileStatus.h"
#include "MountedImage.h"
#include "TempFolder.h"
#include "ZkcliProcess.h"

namespace zk::test {
namespace {

constexpr size_t kMiB = 1 << 20;

struct TPlainFile {
  const char* name;
  size_t size;
};

// 13.5 MiB on a tmpfs of 16 MiB (MountedImage): each file but the big one fits into the space left when it
// runs alone, and a source wipe gives its space back; the big one never fits (its output needs 7 MiB
// beside its source). Several small ones at once may not fit together, and the big one, second in the
// list, fills the disk while the rows around it write.
constexpr TPlainFile kPlainFiles[] = {{"a.bin", kMiB},    {"big.bin", 7 * kMiB}, {"b.bin", 3 * kMiB / 2},
                                      {"c.bin", kMiB},    {"d.bin", 2 * kMiB},   {"e.bin", kMiB / 2},
                                      {"f.bin", kMiB / 2}};
constexpr size_t kBigRow = 1;

std::string Bytes(size_t size, char seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + i * 7 + i / 251);
  return bytes;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0, end; start < text.size(); start = end + 1) {
    end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::set<std::string> NamesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

struct DiskFullCase {
  const char* caseName;
  bool decrypt;
  const char* jobs;
};

void PrintTo(const DiskFullCase& diskFullCase, std::ostream* out) { *out << diskFullCase.caseName; }

class ZkcliJobsOnAFullDisk : public ::testing::TestWithParam<DiskFullCase> {
 protected:
  void SetUp() override {
    std::string whyNot;
    image_ = MountedImage::Mount("tmpfs", whyNot);
    if (!image_) GTEST_SKIP() << whyNot;
    char seed = 'a';
    for (const TPlainFile& file : kPlainFiles) plain_.push_back(Bytes(file.size, seed++));
  }

  // The containers of the plain files, made where there is room.
  std::vector<std::string> Containers() const {
    TempFolder roomy;
    std::vector<std::string> arguments = {"encrypt", "-p", "pw", "-j", "1"};
    for (size_t i = 0; i < plain_.size(); ++i)
      arguments.push_back(roomy.WriteFile(kPlainFiles[i].name, plain_[i]));
    EXPECT_EQ(RunZkcli(arguments, roomy.Path()).exitCode, 0);
    std::vector<std::string> containers;
    for (const std::string& path : std::vector(arguments.begin() + 5, arguments.end()))
      containers.push_back(TempFolder::ReadFile(path + ".enc"));
    return containers;
  }

  // Decrypts copies of containers where there is room and compares the results with the plain files.
  void ExpectWholeContainers(const std::vector<size_t>& rows) const {
    if (rows.empty()) return;
    TempFolder roomy;
    std::vector<std::string> arguments = {"decrypt", "-p", "pw"};
    for (const size_t row : rows) {
      const std::string name = std::string(kPlainFiles[row].name) + ".enc";
      arguments.push_back(roomy.WriteFile(name, TempFolder::ReadFile(image_->Path() + name)));
    }
    EXPECT_EQ(RunZkcli(arguments, roomy.Path()).exitCode, 0);
    for (const size_t row : rows) {
      const std::string decrypted = roomy.Path(kPlainFiles[row].name);
      EXPECT_TRUE(Exists(decrypted) && TempFolder::ReadFile(decrypted) == plain_[row]) << decrypted;
    }
  }

  std::unique_ptr<MountedImage> image_;
  std::vector<std::string> plain_;  // the bytes of kPlainFiles
};

TEST_P(ZkcliJobsOnAFullDisk, SuccessesAreWholeFailuresLeaveTheirSourceAndTheLinesKeepListOrder) {
  const bool decrypt = GetParam().decrypt;
  const std::vector<std::string> containers = decrypt ? Containers() : std::vector<std::string>{};
  std::vector<std::string> sources;
  std::vector<std::string> outputs;
  std::vector<std::string> arguments = {
      decrypt ? "decrypt" : "encrypt", "-p", "pw", "-j", GetParam().jobs, "--wipe-source"};
  for (size_t i = 0; i < plain_.size(); ++i) {
    const std::string plainPath = image_->Path() + kPlainFiles[i].name;
    sources.push_back(decrypt ? plainPath + ".enc" : plainPath);
    outputs.push_back(decrypt ? plainPath : plainPath + ".enc");
    WriteBytes(sources[i], decrypt ? containers[i] : plain_[i]);
    arguments.push_back(sources[i]);
  }
  TempFolder work;

  const ZkcliResult result = RunZkcli(arguments, work.Path());

  EXPECT_EQ(result.exitCode, 1);
  const std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), sources.size()) << result.out;
  std::set<std::string> namesLeft;
  std::vector<size_t> encrypted;
  for (size_t i = 0; i < sources.size(); ++i) {
    SCOPED_TRACE(sources[i]);
    const std::string success =
        decrypt ? "復号成功 : " + sources[i] + "\t" + outputs[i] : "暗号化成功：" + sources[i];
    const std::string failure = (decrypt ? "＊復号不可：" : "＊暗号化失敗＊：") + sources[i];
    // One at a time, only the big file finds the disk full.
    if (GetParam().jobs == std::string("1")) {
      EXPECT_EQ(lines[i] == success, i != kBigRow) << lines[i];
    }
    if (lines[i] == success) {
      EXPECT_NE(i, kBigRow);
      EXPECT_FALSE(Exists(sources[i]));
      if (decrypt) {
        EXPECT_TRUE(Exists(outputs[i]) && TempFolder::ReadFile(outputs[i]) == plain_[i]);
      } else {
        encrypted.push_back(i);
      }
      namesLeft.insert(std::filesystem::path(outputs[i]).filename());
    } else {
      EXPECT_EQ(lines[i], failure);
      EXPECT_TRUE(Exists(sources[i]) &&
                  TempFolder::ReadFile(sources[i]) == (decrypt ? containers[i] : plain_[i]));
      EXPECT_FALSE(Exists(outputs[i]));
      namesLeft.insert(std::filesystem::path(sources[i]).filename());
    }
  }
  // Nothing else: no temporary, no partial output under a name of its own.
  EXPECT_EQ(NamesIn(image_->Path()), namesLeft);
  ExpectWholeContainers(encrypted);
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, ZkcliJobsOnAFullDisk,
    ::testing::Values(DiskFullCase{"EncryptOne", false, "1"}, DiskFullCase{"EncryptTwo", false, "2"},
                      DiskFullCase{"EncryptFour", false, "4"}, DiskFullCase{"DecryptOne", true, "1"},
                      DiskFullCase{"DecryptTwo", true, "2"}, DiskFullCase{"DecryptFour", true, "4"}),
    [](const ::testing::TestParamInfo<DiskFullCase>& info) { return info.param.caseName; });

}  // namespace
}  // namespace zk::test
