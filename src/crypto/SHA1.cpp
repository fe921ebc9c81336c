#include "SHA1.h"

#include <algorithm>
#include <cstring>

#include "Bytes.h"

namespace zk {

void TZK_hash::UpdateString(std::string_view Str) {
  if (!Str.empty()) Update(Str.data(), static_cast<uint32_t>(Str.size()));
}

void TZK_hash::FailNotInitialized() const { throw EZK_hash(algorithm_ + ": Not initialized"); }

TZK_sha1::TZK_sha1() : TZK_hash("SHA1", 160) { Wipe(); }

TZK_sha1::~TZK_sha1() {
  if (initialized_) Wipe();
}

void TZK_sha1::Init() {
  if (initialized_) Wipe();
  std::memcpy(h_, kSha1Initial, sizeof h_);
  compress_ = Sha1Compressor();
  initialized_ = true;
}

void TZK_sha1::Wipe() {
  lenHi_ = lenLo_ = index_ = 0;
  SecureFill(buffer_, 0);
  SecureFill(h_, 0);
  compress_ = nullptr;
  initialized_ = false;
}

void TZK_sha1::Update(const void* Buffer, uint32_t Size) {
  if (!initialized_) FailNotInitialized();
  const uint32_t bitsLo = Size << 3;
  lenLo_ += bitsLo;
  lenHi_ += (Size >> 29) + (lenLo_ < bitsLo ? 1 : 0);

  auto in = static_cast<const uint8_t*>(Buffer);
  size_t left = Size;
  if (index_ > 0) {
    const size_t take = std::min<size_t>(left, 64 - index_);
    std::memcpy(buffer_ + index_, in, take);
    index_ += static_cast<uint32_t>(take);
    in += take;
    left -= take;
    if (index_ < 64) return;
    compress_(h_, buffer_, 1);
    SecureFill(buffer_, 0);
    index_ = 0;
  }
  if (left >= 64) {
    compress_(h_, in, left / 64);
    in += left / 64 * 64;
    left %= 64;
  }
  std::memcpy(buffer_, in, left);
  index_ = static_cast<uint32_t>(left);
}

void TZK_sha1::Final(void* Digest) {
  if (!initialized_) FailNotInitialized();
  buffer_[index_] = 0x80;
  std::memset(buffer_ + index_ + 1, 0, 63 - index_);
  if (index_ > 55) {
    compress_(h_, buffer_, 1);
    std::memset(buffer_, 0, 64);
  }
  StoreBE32(buffer_ + 56, lenHi_);
  StoreBE32(buffer_ + 60, lenLo_);
  compress_(h_, buffer_, 1);
  auto out = static_cast<uint8_t*>(Digest);
  for (int i = 0; i < 5; ++i) StoreBE32(out + 4 * i, h_[i]);
  Wipe();
}

}  // namespace zk
