// The chaining modes and keying rules of TZK_blockcipher, written once over a cipher core.
//
// A core is the bare block transform with its key schedule:
//   static constexpr const char* kName;        "Twofish", also the prefix of the error texts
//   static constexpr int kBlockBytes;          16 or 8
//   void SetKey(const uint8_t key[32], int32_t bits);   bits already checked; bytes past them are zero
//   void Wipe();                                         key schedule := 0xFF
//   void Encrypt(const uint8_t* in, uint8_t* out, size_t blocks) const;   ECB, in == out allowed
//   void Decrypt(const uint8_t* in, uint8_t* out, size_t blocks) const;
// and optionally, where it can do better than the generic loops below:
//   void EncryptCbc(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const;
//   void DecryptCbc(const uint8_t* in, uint8_t* out, size_t blocks, uint8_t* chain) const;
//   static void AdoptIv(uint8_t* iv);         rewrites a given IV (Rijndael's all-zero marker)
#pragma once

#include <algorithm>
#include <cstring>

#include "BlockCipher.h"
#include "Bytes.h"

namespace zk {

template <class Core>
class TZK_cipherModes : public TZK_blockcipher {
 public:
  static constexpr int kBlockBytes = Core::kBlockBytes;
  static constexpr int kKeyBufferBytes = 32;

  ~TZK_cipherModes() override {
    if (initialized_) Wipe();
  }

  void Init(const void* Key, int32_t Size, const void* InitVector) final {
    if (initialized_) Wipe();
    if (Size > MaxKeySize() || Size <= 0 || Size % 8 != 0) FailKeySize(Size);
    uint8_t key[kKeyBufferBytes] = {};
    std::memcpy(key, Key, static_cast<size_t>(Size / 8));
    core_.SetKey(key, Size);
    SecureFill(key, 0xFF);
    if (InitVector) {
      std::memcpy(iv_, InitVector, kBlockBytes);
      if constexpr (requires(uint8_t* iv) { Core::AdoptIv(iv); }) Core::AdoptIv(iv_);
    } else {
      std::memset(iv_, 0xFF, kBlockBytes);
      core_.Encrypt(iv_, iv_, 1);
    }
    std::memcpy(chain_, iv_, kBlockBytes);
    initialized_ = true;
  }

  void Wipe() final {
    core_.Wipe();
    SecureFill(iv_, 0xFF);
    SecureFill(chain_, 0xFF);
    initialized_ = false;
  }

  void Reset() final { std::memcpy(chain_, iv_, kBlockBytes); }

  void EncryptBlock(const void* Indata, void* Outdata) final {
    RequireKey();
    core_.Encrypt(In(Indata), Out(Outdata), 1);
  }

  void DecryptBlock(const void* Indata, void* Outdata) final {
    RequireKey();
    core_.Decrypt(In(Indata), Out(Outdata), 1);
  }

  void EncryptCBC(const void* Indata, void* Outdata, int32_t Size) final {
    RequireKey();
    if (Size <= 0) return;
    const uint8_t* in = In(Indata);
    uint8_t* out = Out(Outdata);
    const size_t blocks = static_cast<size_t>(Size) / kBlockBytes;
    if constexpr (requires(const Core& c) { c.EncryptCbc(in, out, blocks, chain_); }) {
      core_.EncryptCbc(in, out, blocks, chain_);
    } else {
      for (size_t i = 0; i < blocks; ++i) {
        XorBytes(chain_, chain_, in + i * kBlockBytes, kBlockBytes);
        core_.Encrypt(chain_, chain_, 1);
        std::memcpy(out + i * kBlockBytes, chain_, kBlockBytes);
      }
    }
    XorTail(in, out, Size);
  }

  void DecryptCBC(const void* Indata, void* Outdata, int32_t Size) final {
    RequireKey();
    if (Size <= 0) return;
    const uint8_t* in = In(Indata);
    uint8_t* out = Out(Outdata);
    const size_t blocks = static_cast<size_t>(Size) / kBlockBytes;
    if constexpr (requires(const Core& c) { c.DecryptCbc(in, out, blocks, chain_); }) {
      core_.DecryptCbc(in, out, blocks, chain_);
    } else {
      DecryptCbcInBatches(in, out, blocks);
    }
    XorTail(in, out, Size);
  }

  void EncryptCFB8(const void* Indata, void* Outdata, int32_t Size) final {
    RequireKey();
    const uint8_t* in = In(Indata);
    uint8_t* out = Out(Outdata);
    for (int32_t i = 0; i < Size; ++i) {
      const uint8_t c = in[i] ^ FeedbackByte();
      ShiftIn(c);
      out[i] = c;
    }
  }

  void DecryptCFB8(const void* Indata, void* Outdata, int32_t Size) final {
    RequireKey();
    const uint8_t* in = In(Indata);
    uint8_t* out = Out(Outdata);
    for (int32_t i = 0; i < Size; ++i) {
      const uint8_t c = in[i];
      out[i] = c ^ FeedbackByte();
      ShiftIn(c);
    }
  }

 protected:
  TZK_cipherModes() : TZK_blockcipher(Core::kName, kBlockBytes * 8, kKeyBufferBytes * 8) { Wipe(); }

 private:
  // Blocks decrypted per call of the core: enough for a core to interleave independent blocks.
  static constexpr size_t kBatchBlocks = 8;

  static const uint8_t* In(const void* p) { return static_cast<const uint8_t*>(p); }
  static uint8_t* Out(void* p) { return static_cast<uint8_t*>(p); }

  void RequireKey() const {
    if (!initialized_) FailNotInitialized();
  }

  // CBC decryption needs no chaining between block decryptions, so the core gets them in batches;
  // the ciphertext of a batch is kept aside because the output may overwrite it.
  void DecryptCbcInBatches(const uint8_t* in, uint8_t* out, size_t blocks) {
    uint8_t saved[kBatchBlocks * kBlockBytes];
    while (blocks > 0) {
      const size_t n = std::min(blocks, kBatchBlocks);
      std::memcpy(saved, in, n * kBlockBytes);
      core_.Decrypt(in, out, n);
      XorBytes(out, out, chain_, kBlockBytes);
      XorBytes(out + kBlockBytes, out + kBlockBytes, saved, (n - 1) * kBlockBytes);
      std::memcpy(chain_, saved + (n - 1) * kBlockBytes, kBlockBytes);
      in += n * kBlockBytes;
      out += n * kBlockBytes;
      blocks -= n;
    }
    SecureFill(saved, 0xFF);
  }

  // The last Size mod B bytes, in either direction: XOR with the forward encryption of the chaining
  // value, which is left as it was.
  void XorTail(const uint8_t* in, uint8_t* out, int32_t Size) {
    const size_t tail = static_cast<size_t>(Size) % kBlockBytes;
    if (tail == 0) return;
    const size_t at = static_cast<size_t>(Size) - tail;
    uint8_t key[kBlockBytes];
    core_.Encrypt(chain_, key, 1);
    XorBytes(out + at, in + at, key, tail);
    SecureFill(key, 0xFF);
  }

  uint8_t FeedbackByte() {
    uint8_t key[kBlockBytes];
    core_.Encrypt(chain_, key, 1);
    const uint8_t k = key[0];
    SecureFill(key, 0xFF);
    return k;
  }

  void ShiftIn(uint8_t c) {
    std::memmove(chain_, chain_ + 1, kBlockBytes - 1);
    chain_[kBlockBytes - 1] = c;
  }

  Core core_;
  uint8_t iv_[kBlockBytes];
  uint8_t chain_[kBlockBytes];
};

}  // namespace zk
