// Fixtures for the engine tests: containers composed by hand from the primitives, an observer that
// records what the engine reports, and a file size limit that makes writes fail.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/EngineObserver.h"

namespace zk::test {

// What goes into a container. Texts are the bytes as stored (CP932 or ASCII).
struct TContainerRecipe {
  std::string Password;
  std::string Hint;
  std::string Name;
  int32_t FileDate = -1;
  int32_t Algorithm = 0;
  std::string Plain;
};

// The container bytes, composed from the ciphers, SHA-1 and Base64 directly and laid out by hand:
// independent of the engine's writer, reader and text cipher.
std::string HandMadeContainer(const TContainerRecipe& recipe);

// Little-endian 32-bit field.
std::string Int32Bytes(int32_t value);

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
