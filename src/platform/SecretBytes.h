// Where a secret (a password) is kept in memory: TSecretBytes overwrites its bytes whenever it lets them
// go, and cannot be copied, so that no copy is left behind by accident.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zk {

// The bytes lie in pages of their own, locked against swapping where the process's limit allows and left
// out of core dumps. Growing, clearing, moving from and destroying overwrite them before the pages go.
class TSecretBytes {
 public:
  TSecretBytes() = default;
  explicit TSecretBytes(std::string_view bytes) { Append(bytes); }
  ~TSecretBytes() { Release(); }
  TSecretBytes(TSecretBytes&& other) noexcept;
  TSecretBytes& operator=(TSecretBytes&& other) noexcept;
  TSecretBytes(const TSecretBytes&) = delete;
  TSecretBytes& operator=(const TSecretBytes&) = delete;

  void Append(std::string_view bytes);
  // Overwrites the last byte and drops it.
  void RemoveLast() { data_[--size_] = 0; }
  // Overwrites the bytes and empties the holder; its pages stay for what comes next.
  void Clear();

  std::string_view View() const { return {data_, size_}; }
  bool Empty() const { return size_ == 0; }

 private:
  void Grow(size_t needed);
  void Release();

  char* data_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

// Overwrites a string that held a secret, its spare room included (a longer text held earlier may have
// left bytes there), and empties it.
void WipeString(std::string& text);

// WipeString when the scope ends: for a secret's passing copy (a password in another code page, say).
class TWipedOnExit {
 public:
  explicit TWipedOnExit(std::string& secret) : secret_(secret) {}
  ~TWipedOnExit() { WipeString(secret_); }
  TWipedOnExit(const TWipedOnExit&) = delete;
  TWipedOnExit& operator=(const TWipedOnExit&) = delete;

 private:
  std::string& secret_;
};

}  // namespace zk
