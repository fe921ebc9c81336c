#include "cli/ProgressBar.h"

#include <locale.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <wchar.h>

#include <cstdio>
#include <utility>

#include "cli/StandardStreams.h"
#include "engine/Progress.h"
#include "platform/CodePage.h"

namespace zk::cli {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarCells = 12;
constexpr int kDoneColumns = 10;  // "1023.9 MiB"

int TerminalColumns() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

// The columns a character takes on the terminal, from the C library's tables for UTF-8 whatever the user's
// locale: 2 for a wide character, 0 for a combining one; one it does not know counts one.
int CharacterColumns(char32_t character) {
  static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  if (!utf8) return 1;
  const locale_t previous = uselocale(utf8);
  const int columns = wcwidth(static_cast<wchar_t>(character));
  uselocale(previous);
  return columns < 0 ? 1 : columns;
}

char32_t DecodeUtf8(std::string_view sequence) {
  if (sequence.size() == 1) return static_cast<unsigned char>(sequence[0]);
  char32_t value = static_cast<unsigned char>(sequence[0]) & (0x7F >> sequence.size());
  for (size_t i = 1; i < sequence.size(); ++i)
    value = value << 6 | (static_cast<unsigned char>(sequence[i]) & 0x3F);
  return value;
}

// The longest prefix of the text that fits the columns. A byte outside valid UTF-8 shows as one replacement
// character.
std::string_view FitColumns(std::string_view text, int columns) {
  size_t end = 0;
  while (end < text.size()) {
    const size_t valid = Utf8SequenceLength(text, end);
    const size_t length = valid ? valid : 1;
    const int width = valid ? CharacterColumns(DecodeUtf8(text.substr(end, length))) : 1;
    if (width > columns) break;
    columns -= width;
    end += length;
  }
  return text.substr(0, end);
}

}  // namespace

TProgressBar::TProgressBar() : enabled_(isatty(STDERR_FILENO) == 1) {}

void TProgressBar::Start(std::string label) {
  label_ = std::move(label);
  lastDraw_ = {};
}

void TProgressBar::Update(int64_t done, int64_t total) {
  if (!enabled_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - lastDraw_ < kRedrawInterval) return;
  lastDraw_ = now;
  Draw(done, total);
}

void TProgressBar::Draw(int64_t done, int64_t total) {
  const int percent = total > 0 ? static_cast<int>(done >= total ? 100 : done * 100 / total) : 100;
  const int filled = percent * kBarCells / 100;
  // The bytes done take their widest form's room, so that the label stays put while they grow.
  char figures[64];
  const int used = std::snprintf(figures, sizeof figures, "] %3d%% %*s/%s ", percent, kDoneColumns,
                                 ByteSizeText(done).c_str(), ByteSizeText(total).c_str());

  std::string line = "\r[";
  line.append(static_cast<size_t>(filled), '#');
  line.append(static_cast<size_t>(kBarCells - filled), '-');
  line += figures;
  line += FitColumns(label_, TerminalColumns() - 1 - kBarCells - used - 1);
  line += "\033[K";
  WriteToStderr(line);
  shown_ = true;
}

void TProgressBar::Clear() {
  if (!shown_) return;
  WriteToStderr("\r\033[K");
  shown_ = false;
}

}  // namespace zk::cli
