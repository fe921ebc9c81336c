#include "platform/SecretBytes.h"

#include <string.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <new>
#include <utility>

namespace zk {
namespace {

size_t WholePages(size_t bytes) {
  const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  return (bytes + page - 1) / page * page;
}

}  // namespace

TSecretBytes::TSecretBytes(TSecretBytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

TSecretBytes& TSecretBytes::operator=(TSecretBytes&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
  }
  return *this;
}

void TSecretBytes::Append(std::string_view bytes) {
  if (size_ + bytes.size() > capacity_) Grow(size_ + bytes.size());
  std::copy(bytes.begin(), bytes.end(), data_ + size_);
  size_ += bytes.size();
}

void TSecretBytes::Clear() {
  if (data_) ::explicit_bzero(data_, capacity_);
  size_ = 0;
}

void TSecretBytes::Grow(size_t needed) {
  const size_t capacity = WholePages(std::max(needed, capacity_ * 2));
  void* pages = ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (pages == MAP_FAILED) throw std::bad_alloc();
  // Both may fail (RLIMIT_MEMLOCK, an old kernel); the bytes are still wiped.
  ::mlock(pages, capacity);
  ::madvise(pages, capacity, MADV_DONTDUMP);
  char* const data = static_cast<char*>(pages);
  std::copy(data_, data_ + size_, data);
  const size_t size = size_;
  Release();
  data_ = data;
  size_ = size;
  capacity_ = capacity;
}

void TSecretBytes::Release() {
  if (!data_) return;
  ::explicit_bzero(data_, capacity_);
  ::munlock(data_, capacity_);
  ::munmap(data_, capacity_);
  data_ = nullptr;
  size_ = capacity_ = 0;
}

void WipeString(std::string& text) {
  text.resize(text.capacity());
  ::explicit_bzero(text.data(), text.size());
  text.clear();
}

}  // namespace zk
