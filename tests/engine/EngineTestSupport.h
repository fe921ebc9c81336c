// Fixtures for the engine tests: an observer that records what the engine reports, a file size limit that
// makes writes fail, and a small file system that can be filled up. Containers composed by hand come from
// the support library.
#pragma once

#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "HandMadeContainer.h"
#include "engine/EngineObserver.h"

namespace zk::test {

class TRecordingObserver : public TEngineObserver {
 public:
  void Progress(const TProgress& progress) override {
    Lines.push_back(RenderText(ProgressLine(progress)));
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

// A tmpfs of 64 KiB mounted on an empty folder while the object lives; mounting needs root (or the
// capability), so Mounted() tells whether the test can go on.
class TSmallFileSystem {
 public:
  explicit TSmallFileSystem(std::string folder) : folder_(std::move(folder)) {
    mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~TSmallFileSystem() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  TSmallFileSystem(const TSmallFileSystem&) = delete;
  TSmallFileSystem& operator=(const TSmallFileSystem&) = delete;

  bool Mounted() const { return mounted_; }
  // Writes a filler file until no byte more fits.
  void Fill() const {
    std::ofstream filler(folder_ + "/filler", std::ios::binary);
    const std::string block(4096, 'f');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
    }
    std::ofstream last(folder_ + "/filler-byte", std::ios::binary);
    while (last.put('f') && last.flush()) {
    }
  }

 private:
  std::string folder_;
  bool mounted_ = false;
};

}  // namespace zk::test
