// Our ciphers and both SHA-1 interfaces, used exactly as the program uses them.
#include "BenchSubjects.h"
#include "crypto/Gost.h"
#include "crypto/Rijndael.h"
#include "crypto/SHA1.h"
#include "crypto/SecHash.h"
#include "crypto/Twofish.h"

namespace zk::bench {
namespace {

template <class Cipher>
class ZkCbc final : public CbcRunner {
 public:
  ZkCbc(Direction direction, const uint8_t* key, const uint8_t* iv) : direction_(direction) {
    cipher_.Init(key, kKeyBytes * 8, iv);
  }

  void Run(uint8_t* data, size_t size) override {
    const auto n = static_cast<int32_t>(size);
    if (direction_ == Direction::kEncrypt) {
      cipher_.EncryptCBC(data, data, n);
    } else {
      cipher_.DecryptCBC(data, data, n);
    }
  }

 private:
  Cipher cipher_;
  const Direction direction_;
};

}  // namespace

std::unique_ptr<CbcRunner> MakeZkCbc(CipherId cipher, Direction direction, const uint8_t* key,
                                     const uint8_t* iv) {
  switch (cipher) {
    case CipherId::kTwofish:
      return std::make_unique<ZkCbc<TZK_twofish>>(direction, key, iv);
    case CipherId::kRijndael:
      return std::make_unique<ZkCbc<TZK_rijndael>>(direction, key, iv);
    case CipherId::kGost:
      return std::make_unique<ZkCbc<TZK_gost>>(direction, key, iv);
  }
  return nullptr;
}

void ZkSha1(const uint8_t* data, size_t size, uint8_t* digest) {
  TZK_sha1 sha;
  sha.Init();
  sha.Update(data, static_cast<uint32_t>(size));
  sha.Final(digest);
}

void ZkSecHash(const uint8_t* data, size_t size, uint8_t* digest) {
  const TSecHash::Digest words = TSecHash().HashBuffer(data, static_cast<int64_t>(size));
  for (size_t i = 0; i < words.size(); ++i) {
    for (size_t b = 0; b < 4; ++b) digest[4 * i + b] = static_cast<uint8_t>(words[i] >> (24 - 8 * b));
  }
}

}  // namespace zk::bench
