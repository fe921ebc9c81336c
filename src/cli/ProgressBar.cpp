#include "cli/ProgressBar.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <utility>

#include "cli/StandardStreams.h"

namespace zk::cli {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarCells = 30;

int TerminalColumns() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

// The longest prefix of UTF-8 text that fits the columns; characters of three or more bytes (CJK) are
// taken as two columns wide, the others as one.
std::string_view FitColumns(std::string_view text, int columns) {
  size_t end = 0;
  while (end < text.size()) {
    const auto lead = static_cast<unsigned char>(text[end]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const int width = length >= 3 ? 2 : 1;
    if (width > columns || end + length > text.size()) break;
    columns -= width;
    end += length;
  }
  return text.substr(0, end);
}

}  // namespace

ProgressBar::ProgressBar() : enabled_(isatty(STDERR_FILENO) == 1) {}

void ProgressBar::Start(std::string label) {
  label_ = std::move(label);
  lastDraw_ = {};
}

void ProgressBar::Update(int64_t done, int64_t total) {
  if (!enabled_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - lastDraw_ < kRedrawInterval) return;
  lastDraw_ = now;
  Draw(done, total);
}

void ProgressBar::Draw(int64_t done, int64_t total) {
  const int percent = total > 0 ? static_cast<int>(done >= total ? 100 : done * 100 / total) : 100;
  const int filled = percent * kBarCells / 100;
  char figures[16];
  std::snprintf(figures, sizeof figures, "] %3d%% ", percent);

  std::string line = "\r[";
  line.append(static_cast<size_t>(filled), '#');
  line.append(static_cast<size_t>(kBarCells - filled), '-');
  line += figures;
  const int used = kBarCells + 8;  // "[", the cells, "] 100% "
  line += FitColumns(label_, TerminalColumns() - used - 1);
  line += "\033[K";
  WriteToStderr(line);
  shown_ = true;
}

void ProgressBar::Clear() {
  if (!shown_) return;
  WriteToStderr("\r\033[K");
  shown_ = false;
}

}  // namespace zk::cli
