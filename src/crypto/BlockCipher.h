// The abstract block cipher: keying, IV, chaining modes and error texts shared by Twofish, Rijndael and GOST.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zk {

// Raised by the ciphers; what() is the text shown to the user, e.g. "Twofish: Not initialized".
class EZK_blockcipher : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Byte counts are 32-bit signed; a count of zero or below does nothing. In every operation the input
// and the output may be the same buffer. The chaining value lives in the object and runs on from call
// to call, so a stream may be processed in pieces.
class TZK_blockcipher {
 public:
  virtual ~TZK_blockcipher() = default;
  TZK_blockcipher(const TZK_blockcipher&) = delete;
  TZK_blockcipher& operator=(const TZK_blockcipher&) = delete;

  const std::string& Algorithm() const { return algorithm_; }
  int BlockSize() const { return blockSize_; }    // bits
  int MaxKeySize() const { return maxKeySize_; }  // bits
  bool Initialized() const { return initialized_; }

  // Key: Size bits (8 to MaxKeySize, a multiple of 8), zero-padded to 32 bytes. Without an IV the IV is
  // the encryption of an all-0xFF block under the new key.
  virtual void Init(const void* Key, int32_t Size, const void* InitVector) = 0;
  // Keys from a password: the SHA-1 digest of its bytes as a 160-bit key, no IV.
  void InitFromString(std::string_view Str);
  virtual void Wipe() = 0;   // key schedule, IV and chaining value := 0xFF; uninitialised
  virtual void Reset() = 0;  // chaining value := IV

  virtual void EncryptBlock(const void* Indata, void* Outdata) = 0;
  virtual void DecryptBlock(const void* Indata, void* Outdata) = 0;
  // CBC without padding: a final partial block is XORed with the encryption of the chaining value,
  // which stays unchanged, so the output is exactly as long as the input.
  virtual void EncryptCBC(const void* Indata, void* Outdata, int32_t Size) = 0;
  virtual void DecryptCBC(const void* Indata, void* Outdata, int32_t Size) = 0;
  // Cipher feedback with an 8-bit shift.
  virtual void EncryptCFB8(const void* Indata, void* Outdata, int32_t Size) = 0;
  virtual void DecryptCFB8(const void* Indata, void* Outdata, int32_t Size) = 0;

 protected:
  TZK_blockcipher(std::string algorithm, int blockSizeBits, int maxKeySizeBits)
      : algorithm_(std::move(algorithm)), blockSize_(blockSizeBits), maxKeySize_(maxKeySizeBits) {}

  [[noreturn]] void FailNotInitialized() const;
  [[noreturn]] void FailKeySize(int32_t bits) const;

  bool initialized_ = false;

 private:
  const std::string algorithm_;
  const int blockSize_;
  const int maxKeySize_;
};

}  // namespace zk
