#include "platform/LockedPages.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <string>

namespace zk {
namespace {

// VmLck of this process, in KiB.
long LockedKib() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("VmLck:")) return std::stol(line.substr(6));
  return -1;
}

// The kernel does not count locks: the first of two objects on one page to go must not unlock it for the
// other, and the last one must.
TEST(LockedPages, APageStaysLockedWhileAnyObjectOnItLives) {
  const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  const long pageKib = static_cast<long>(page / 1024);
  void* mapped = mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(mapped, MAP_FAILED);
  char* const area = static_cast<char*>(mapped);
  const long before = LockedKib();
  // The sanitizers turn mlock into nothing, and a small RLIMIT_MEMLOCK refuses it.
  if (mlock(area, page) != 0 || LockedKib() == before) {
    munmap(mapped, 2 * page);
    GTEST_SKIP() << "mlock has no effect here";
  }
  munlock(area, page);
  {
    std::optional<TLockedPages> both(std::in_place, area + 100, page);  // across the two pages
    const TLockedPages first(area, 10);                                   // the first page only
    EXPECT_EQ(LockedKib() - before, 2 * pageKib);
    both.reset();
    EXPECT_EQ(LockedKib() - before, pageKib);
  }
  EXPECT_EQ(LockedKib(), before);
  munmap(mapped, 2 * page);
}

}  // namespace
}  // namespace zk
