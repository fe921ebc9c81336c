// Fixtures for the engine tests: an observer that records what the engine reports, and a file size limit
// that makes writes fail. Containers composed by hand come from the support library.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "HandMadeContainer.h"
#include "engine/EngineObserver.h"

namespace zk::test {

class TRecordingObserver : public TEngineObserver {
 public:
  void Progress(const TProgress& progress) override {
    Lines.push_back(ProgressLine(progress));
    Reports.push_back(progress);
  }
  void ProcessMessages() override {
    ++Pumps;
    if (OnPump) OnPump(Pumps);
  }
  void BeginSourceWipe() override { ++SourceWipes; }

  std::vector<std::string> Lines;
  std::vector<TProgress> Reports;
  int Pumps = 0;
  int SourceWipes = 0;
  std::function<void(int pump)> OnPump;
};

// Writes beyond the limit fail (EFBIG) while the object lives.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~TFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

}  // namespace zk::test
