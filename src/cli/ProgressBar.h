// A one-line progress bar on stderr (cells, percentage, bytes done and in all as ByteSizeText shows them, the
// label), drawn only when stderr is a terminal and at most ten times a second.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace zk::cli {

class TProgressBar {
 public:
  // Enabled when stderr is a terminal.
  TProgressBar();
  explicit TProgressBar(bool enabled) : enabled_(enabled) {}
  ~TProgressBar() { Clear(); }
  TProgressBar(const TProgressBar&) = delete;
  TProgressBar& operator=(const TProgressBar&) = delete;

  // The label of the file now worked on; the next Update draws at once.
  void Start(std::string label);
  void Update(int64_t done, int64_t total);
  // Removes the bar, so that a result line can follow on a clean line.
  void Clear();

 private:
  void Draw(int64_t done, int64_t total);

  bool enabled_;
  bool shown_ = false;
  std::string label_;
  std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace zk::cli
