// Keeps the memory pages under an object that holds key material (the ciphers' key schedules) locked
// against swapping for as long as it lives.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zk {

// The kernel does not count locks: one munlock frees a page however often it was locked. Pages are
// therefore counted here, so that of two objects sharing a page, the first to go leaves it locked for the
// other. A lock beyond the process's limit (RLIMIT_MEMLOCK) is not had; the object works all the same.
class TLockedPages {
 public:
  TLockedPages(const void* begin, size_t size);
  ~TLockedPages();
  TLockedPages(const TLockedPages&) = delete;
  TLockedPages& operator=(const TLockedPages&) = delete;

 private:
  uintptr_t first_;  // the first page, and the end of the last one
  uintptr_t end_;
};

}  // namespace zk
