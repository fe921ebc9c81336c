#include <gtest/gtest.h>

#include <string>

#include "EngineTestSupport.h"
#include "engine/ContainerFormat.h"
#include "engine/Progress.h"

namespace zk {
namespace {

std::string Padded(std::string text) {
  text.resize(kMagicBytes, ' ');
  return text;
}

TEST(ContainerFormat, ClassifiesTheMagic) {
  struct Case {
    std::string bytes;
    TMagicVerdict verdict;
  };
  const std::string zero(1, '\0');
  for (const Case& c : {
           Case{"ENCRYPTED BY V3.X ZK", TMagicVerdict::kCurrent},
           Case{"ENCRYPTED BY V2.X ZK", TMagicVerdict::kOldFormat},
           Case{Padded("ENCRYPTED BY ZK"), TMagicVerdict::kOldFormat},
           Case{Padded("xxENCRYPTED BY ZK"), TMagicVerdict::kOldFormat},
           Case{"xxxxxENCRYPTED BY ZK", TMagicVerdict::kOldFormat},
           Case{"ENCRYPTED BY ZK" + zero + "xxxx", TMagicVerdict::kOldFormat},
           Case{"x" + zero + "xENCRYPTED BY ZK" + zero, TMagicVerdict::kNotContainer},
           Case{"ENCRYPTED BY V3.X Z" + zero, TMagicVerdict::kNotContainer},
           Case{"ENCRYPTED" + zero + "BY V3.X ZK", TMagicVerdict::kNotContainer},
           Case{"encrypted by v3.x zk", TMagicVerdict::kNotContainer},
           Case{Padded("hello, world"), TMagicVerdict::kNotContainer},
       }) {
    EXPECT_EQ(ClassifyMagic(c.bytes), c.verdict) << c.bytes;
  }
}

TEST(ContainerFormat, HeaderLayoutForANameOfFiveBytesAndNoHint) {
  TContainerHeader header;
  header.Algorithm = 2;
  header.CheckBlock = {1, 2, 3, 4, 5, 6, 7, 8};
  header.NameField = "GRU5Qro=";
  header.FileDate = 0x12345678;
  const std::string bytes = SerializeHeader(header);
  ASSERT_EQ(bytes.size(), 52u);
  EXPECT_EQ(bytes.substr(0, 20), "ENCRYPTED BY V3.X ZK");
  EXPECT_EQ(bytes.substr(20, 4), test::Int32Bytes(2));
  EXPECT_EQ(bytes.substr(24, 8), std::string("\1\2\3\4\5\6\7\10", 8));
  EXPECT_EQ(bytes.substr(32, 4), test::Int32Bytes(0));
  EXPECT_EQ(bytes.substr(36, 4), test::Int32Bytes(8));
  EXPECT_EQ(bytes.substr(40, 8), "GRU5Qro=");
  EXPECT_EQ(bytes.substr(48, 4), "\x78\x56\x34\x12");
}

TEST(ContainerFormat, RefusesFieldsBeyondTheBound) {
  TContainerHeader header;
  header.HintField = std::string(1000, 'A');
  EXPECT_EQ(SerializeHeader(header).size(), 44u + 1000u);
  header.HintField += "A";
  EXPECT_THROW(SerializeHeader(header), std::length_error);
  header.HintField.clear();
  header.NameField = std::string(1001, 'A');
  EXPECT_THROW(SerializeHeader(header), std::length_error);
}

TEST(Progress, Lines) {
  EXPECT_EQ(RenderText(ProgressLine({TProgressKind::kEncrypting, 8192, 20000})), "暗号化中：8192/20000バイト　41%");
  EXPECT_EQ(RenderText(ProgressLine({TProgressKind::kEncrypting, 8192, 8192})), "暗号化中：8192/8192バイト　100%");
  EXPECT_EQ(RenderText(ProgressLine({TProgressKind::kDecrypting, 900, 1000})), "復号中：900/1000バイト　90%");
  EXPECT_EQ(RenderText(ProgressLine({TProgressKind::kWiping, 5 * 2048, 10 * 2048})), "不要データ抹消中：50%");
  EXPECT_EQ(RenderText(ProgressLine({TProgressKind::kDecrypting, 5000000000, 10000000000})),
            "復号中：5000000000/10000000000バイト　50%");
}

TEST(Progress, ByteSizesInBinaryUnitsCutToOneDecimal) {
  const struct {
    int64_t bytes;
    const char* shown;
  } cases[] = {
      {0, "0 B"},
      {1023, "1023 B"},
      {1024, "1.0 KiB"},
      {1535, "1.4 KiB"},        // 1.499...: cut, not rounded
      {1048575, "1023.9 KiB"},  // short of 1 MiB stays in KiB
      {1048576, "1.0 MiB"},
      {460275718, "438.9 MiB"},  // 438.95...
      {734003206, "700.0 MiB"},
      {1073741823, "1023.9 MiB"},  // 1 GiB less a byte
      {1073741824, "1.0 GiB"},
      {10737418240, "10.0 GiB"},
      {int64_t{1} << 50, "1.0 PiB"},
      {INT64_MAX, "7.9 EiB"},  // the largest size; ten times its rest must not overflow
  };
  for (const auto& c : cases) EXPECT_EQ(ByteSizeText(c.bytes), c.shown) << c.bytes;
}

// A translation may show sizes where the original counts bytes; the original's own text does not change.
TEST(Progress, LinesCarryTheSizesForATranslation) {
  const auto sizes = [](std::string_view) { return std::string("%4 of %5 (%3%)"); };
  EXPECT_EQ(RenderText(ProgressLine({TProgressKind::kEncrypting, 460275718, 734003206}), sizes),
            "438.9 MiB of 700.0 MiB (63%)");
  EXPECT_EQ(RenderText(ProgressLine({TProgressKind::kEncrypting, 460275718, 734003206})),
            "暗号化中：460275718/734003206バイト　63%");
}

TEST(Progress, RoundsHalvesToEven) {
  // Exact binary fractions, so that the halves are true halves.
  EXPECT_EQ(ProgressPercent({TProgressKind::kWiping, 1, 8}), 12);  // 12.5
  EXPECT_EQ(ProgressPercent({TProgressKind::kWiping, 3, 8}), 38);  // 37.5
  EXPECT_EQ(ProgressPercent({TProgressKind::kWiping, 5, 8}), 62);  // 62.5
  EXPECT_EQ(ProgressPercent({TProgressKind::kWiping, 7, 8}), 88);  // 87.5
  EXPECT_EQ(ProgressPercent({TProgressKind::kWiping, 1, 3}), 33);
  EXPECT_EQ(ProgressPercent({TProgressKind::kWiping, 2, 3}), 67);
}

}  // namespace
}  // namespace zk
