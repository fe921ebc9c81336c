// The incremental hash object: TZK_hash and its one algorithm, SHA-1 (FIPS 180-1).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "Sha1Compress.h"

namespace zk {

// Raised on misuse; what() is the text, e.g. "SHA1: Not initialized".
class EZK_hash : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TZK_hash {
 public:
  virtual ~TZK_hash() = default;
  TZK_hash(const TZK_hash&) = delete;
  TZK_hash& operator=(const TZK_hash&) = delete;

  const std::string& Algorithm() const { return algorithm_; }
  int HashSize() const { return hashSize_; }  // bits
  bool Initialized() const { return initialized_; }

  virtual void Init() = 0;  // restarts an object that is already initialised
  virtual void Wipe() = 0;
  virtual void Update(const void* Buffer, uint32_t Size) = 0;
  virtual void Final(void* Digest) = 0;  // writes HashSize / 8 bytes, then wipes
  void UpdateString(std::string_view Str);

 protected:
  TZK_hash(std::string algorithm, int hashSizeBits)
      : algorithm_(std::move(algorithm)), hashSize_(hashSizeBits) {}
  [[noreturn]] void FailNotInitialized() const;

  bool initialized_ = false;

 private:
  const std::string algorithm_;
  const int hashSize_;
};

class TZK_sha1 final : public TZK_hash {
 public:
  static constexpr int kDigestBytes = 20;

  TZK_sha1();
  ~TZK_sha1() override;

  void Init() override;
  void Wipe() override;
  void Update(const void* Buffer, uint32_t Size) override;
  void Final(void* Digest) override;

 private:
  uint32_t lenHi_, lenLo_;  // message length in bits
  uint32_t index_;          // bytes waiting in buffer_
  uint32_t h_[5];
  uint8_t buffer_[64];
  Sha1CompressFunction compress_;
};

}  // namespace zk
