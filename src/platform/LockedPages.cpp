#include "platform/LockedPages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <map>
#include <mutex>

namespace zk {
namespace {

std::mutex lockMutex;
std::map<uintptr_t, int> lockCounts;  // page address -> objects on it

uintptr_t PageSize() { return static_cast<uintptr_t>(sysconf(_SC_PAGESIZE)); }

}  // namespace

TLockedPages::TLockedPages(const void* begin, size_t size) {
  const uintptr_t page = PageSize();
  const auto address = reinterpret_cast<uintptr_t>(begin);
  first_ = address / page * page;
  end_ = (address + size + page - 1) / page * page;
  const std::lock_guard<std::mutex> hold(lockMutex);
  for (uintptr_t at = first_; at < end_; at += page)
    if (++lockCounts[at] == 1) ::mlock(reinterpret_cast<void*>(at), page);
}

TLockedPages::~TLockedPages() {
  const uintptr_t page = PageSize();
  const std::lock_guard<std::mutex> hold(lockMutex);
  for (uintptr_t at = first_; at < end_; at += page) {
    const auto count = lockCounts.find(at);
    if (--count->second > 0) continue;
    ::munlock(reinterpret_cast<void*>(at), page);
    lockCounts.erase(count);
  }
}

}  // namespace zk
