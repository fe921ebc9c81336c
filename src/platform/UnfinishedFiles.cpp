#include "platform/UnfinishedFiles.h"

#include <limits.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstring>

namespace zk {
namespace {

// One entry per output written at the same time. A writer reserves a slot (taken), fills in the path, and
// only then marks it used, so that the signal handler never reads a half-written path.
struct TSlot {
  std::atomic<bool> taken{false};
  std::atomic<bool> used{false};
  char path[PATH_MAX];
};

constexpr int kSlots = kMaxUnfinishedFiles;
TSlot gSlots[kSlots];

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemoveUnfinishedAndReraise(int signal) {
  RemoveUnfinishedFiles();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

THeldStopSignals::THeldStopSignals() {
  sigset_t stops;
  sigemptyset(&stops);
  for (int signal : kStopSignals) sigaddset(&stops, signal);
  pthread_sigmask(SIG_BLOCK, &stops, &previous_);
}

THeldStopSignals::~THeldStopSignals() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

int RememberUnfinished(const std::string& path) {
  if (path.size() >= PATH_MAX) return -1;
  for (int ticket = 0; ticket < kSlots; ++ticket) {
    if (gSlots[ticket].taken.exchange(true)) continue;
    std::memcpy(gSlots[ticket].path, path.c_str(), path.size() + 1);
    gSlots[ticket].used.store(true, std::memory_order_release);
    return ticket;
  }
  return -1;
}

void ForgetUnfinished(int ticket) {
  if (ticket < 0 || ticket >= kSlots) return;
  gSlots[ticket].used.store(false, std::memory_order_release);
  gSlots[ticket].taken.store(false);
}

void RemoveUnfinishedFiles() {
  for (TSlot& slot : gSlots)
    if (slot.used.load(std::memory_order_acquire)) ::unlink(slot.path);
}

void RemoveUnfinishedFilesOnStopSignals() {
  for (int signal : kStopSignals)
    if (std::signal(signal, RemoveUnfinishedAndReraise) == SIG_IGN) std::signal(signal, SIG_IGN);
}

}  // namespace zk
