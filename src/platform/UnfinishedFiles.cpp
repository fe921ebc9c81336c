#include "platform/UnfinishedFiles.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace zk {
namespace {

// What the table knows of one output.
struct TEntry {
  int fd = -1;
  dev_t device = 0;
  ino_t inode = 0;
  bool plainText = false;
  char path[PATH_MAX] = {};  // empty for an unnamed file
};

// One slot per output written at the same time. A writer reserves a slot (taken), fills it in, and only
// then marks it used. The handler (on another thread, perhaps) works on a copy, and only on one that no
// writer changed while it was taken: the version is odd while a writer fills the slot in.
struct TSlot {
  std::atomic<bool> taken{false};
  std::atomic<bool> used{false};
  std::atomic<unsigned> version{0};
  TEntry entry;
};

TSlot gSlots[kMaxUnfinishedFiles];

// The signals that end the process and come from outside; they can be held back in a thread.
constexpr int kAsynchronousStops[] = {SIGHUP,  SIGINT,    SIGQUIT, SIGUSR1,   SIGUSR2, SIGPIPE, SIGALRM,
                                      SIGTERM, SIGSTKFLT, SIGXCPU, SIGVTALRM, SIGPROF, SIGIO,   SIGPWR};
// Those raised by the faulting thread itself.
constexpr int kFaults[] = {SIGILL, SIGTRAP, SIGABRT, SIGBUS, SIGFPE, SIGSEGV, SIGSYS};

sigset_t AsynchronousStops() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : kAsynchronousStops) sigaddset(&set, signal);
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) sigaddset(&set, signal);
  return set;
}

// Plain text is overwritten only while it is unfinished: the descriptor may have been closed and its number
// reused since the slot was read, and a worker may have just given the file its final name (the slot is
// forgotten right after), which must then stand whole.
bool StillUnfinished(const TEntry& entry) {
  struct stat info;
  if (::fstat(entry.fd, &info) != 0 || info.st_dev != entry.device || info.st_ino != entry.inode) return false;
  if (entry.path[0] == '\0') return info.st_nlink == 0;
  struct stat named;
  return ::lstat(entry.path, &named) == 0 && named.st_dev == entry.device && named.st_ino == entry.inode &&
         named.st_nlink == 1;
}

// A consistent copy of a used slot's entry; false when it is not in use or was being changed.
bool CopyOf(const TSlot& slot, TEntry& copy) {
  const unsigned before = slot.version.load(std::memory_order_acquire);
  if (before % 2 != 0 || !slot.used.load(std::memory_order_acquire)) return false;
  std::memcpy(static_cast<void*>(&copy), &slot.entry, sizeof copy);
  std::atomic_thread_fence(std::memory_order_acquire);
  return slot.version.load(std::memory_order_relaxed) == before;
}

extern "C" void RemoveUnfinishedAndReraise(int signal) {
  const int savedErrno = errno;
  RemoveUnfinishedFiles();
  struct sigaction fallback = {};
  fallback.sa_handler = SIG_DFL;
  ::sigaction(signal, &fallback, nullptr);
  // Held back until the handler returns (a fault is simply raised again by its instruction).
  ::raise(signal);
  errno = savedErrno;
}

void HandleUnlessIgnored(int signal) {
  struct sigaction current = {};
  if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) return;
  struct sigaction handler = {};
  handler.sa_handler = RemoveUnfinishedAndReraise;
  sigfillset(&handler.sa_mask);  // one handler at a time
  ::sigaction(signal, &handler, nullptr);
}

}  // namespace

THeldStopSignals::THeldStopSignals() {
  const sigset_t stops = AsynchronousStops();
  pthread_sigmask(SIG_BLOCK, &stops, &previous_);
}

THeldStopSignals::~THeldStopSignals() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

int RememberUnfinished(const File& file, const std::string& temporaryName, bool plainText) {
  if (temporaryName.size() >= PATH_MAX) return -1;
  struct stat info;
  if (::fstat(file.Descriptor(), &info) != 0) return -1;
  for (int ticket = 0; ticket < kMaxUnfinishedFiles; ++ticket) {
    TSlot& slot = gSlots[ticket];
    if (slot.taken.exchange(true)) continue;
    slot.version.fetch_add(1, std::memory_order_acq_rel);
    std::atomic_thread_fence(std::memory_order_release);
    slot.entry.fd = file.Descriptor();
    slot.entry.device = info.st_dev;
    slot.entry.inode = info.st_ino;
    slot.entry.plainText = plainText;
    std::memcpy(slot.entry.path, temporaryName.c_str(), temporaryName.size() + 1);
    slot.version.fetch_add(1, std::memory_order_release);
    slot.used.store(true, std::memory_order_release);
    return ticket;
  }
  return -1;
}

void ForgetUnfinished(int ticket) {
  if (ticket < 0 || ticket >= kMaxUnfinishedFiles) return;
  gSlots[ticket].used.store(false, std::memory_order_release);
  gSlots[ticket].taken.store(false);
}

void RemoveUnfinishedFiles() {
  for (const TSlot& slot : gSlots) {
    TEntry entry;
    if (!CopyOf(slot, entry)) continue;
    if (entry.plainText && StillUnfinished(entry)) OverwriteContents(entry.fd);
    if (entry.path[0] != '\0') ::unlink(entry.path);
  }
}

void RemoveUnfinishedFilesOnStopSignals() {
  for (int signal : kAsynchronousStops) HandleUnlessIgnored(signal);
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) HandleUnlessIgnored(signal);
  for (int signal : kFaults) HandleUnlessIgnored(signal);
  std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace zk
