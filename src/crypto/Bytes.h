// Byte-order loads and stores, rotations and the overwrite of secrets, shared by every primitive.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace zk {

inline uint32_t LoadLE32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap32(v);
  return v;
}

inline void StoreLE32(uint8_t* p, uint32_t v) {
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap32(v);
  std::memcpy(p, &v, 4);
}

inline uint32_t LoadBE32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap32(v);
  return v;
}

inline void StoreBE32(uint8_t* p, uint32_t v) {
  if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap32(v);
  std::memcpy(p, &v, 4);
}

// Word-wise where it can: a block XORed byte by byte and then read back as words stalls the store buffer.
inline void XorBytes(uint8_t* out, const uint8_t* a, const uint8_t* b, size_t n) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t x, y;
    std::memcpy(&x, a + i, 8);
    std::memcpy(&y, b + i, 8);
    x ^= y;
    std::memcpy(out + i, &x, 8);
  }
  for (; i < n; ++i) out[i] = a[i] ^ b[i];
}

// Overwrites secrets so that the store is not optimised away even when the memory dies right after.
inline void SecureFill(void* p, uint8_t value, size_t n) {
  std::memset(p, value, n);
  asm volatile("" : : "r"(p) : "memory");
}

template <class T>
inline void SecureFill(T& object, uint8_t value) {
  SecureFill(&object, value, sizeof object);
}

}  // namespace zk
