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

// One entry per output written at the same time. A writer reserves a slot (taken), fills it in, and only
// then marks it used, so that the signal handler never reads a half-written entry.
struct TSlot {
  std::atomic<bool> taken{false};
  std::atomic<bool> used{false};
  int fd = -1;
  dev_t device = 0;
  ino_t inode = 0;
  bool plainText = false;
  char path[PATH_MAX] = {};  // empty for an unnamed file
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
bool StillUnfinished(const TSlot& slot) {
  struct stat info;
  if (::fstat(slot.fd, &info) != 0 || info.st_dev != slot.device || info.st_ino != slot.inode) return false;
  if (slot.path[0] == '\0') return info.st_nlink == 0;
  struct stat named;
  return ::lstat(slot.path, &named) == 0 && named.st_dev == slot.device && named.st_ino == slot.inode &&
         named.st_nlink == 1;
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
    slot.fd = file.Descriptor();
    slot.device = info.st_dev;
    slot.inode = info.st_ino;
    slot.plainText = plainText;
    std::memcpy(slot.path, temporaryName.c_str(), temporaryName.size() + 1);
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
    if (!slot.used.load(std::memory_order_acquire)) continue;
    if (slot.plainText && StillUnfinished(slot)) OverwriteContents(slot.fd);
    if (slot.path[0] != '\0') ::unlink(slot.path);
  }
}

void RemoveUnfinishedFilesOnStopSignals() {
  for (int signal : kAsynchronousStops) HandleUnlessIgnored(signal);
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) HandleUnlessIgnored(signal);
  for (int signal : kFaults) HandleUnlessIgnored(signal);
  std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace zk
