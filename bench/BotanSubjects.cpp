// Botan 2: Twofish and GOST 28147-89 (its default S-boxes, the GOST R 34.11-94 test set) through its CBC
// mode, whose decryption hands the block cipher many blocks at once (Botan's fastest path).
#include <botan/cipher_mode.h>

#include "BenchSubjects.h"

namespace zk::bench {
namespace {

class BotanCbc final : public CbcRunner {
 public:
  BotanCbc(const char* cipher, Direction direction, const uint8_t* key, const uint8_t* iv, size_t ivBytes)
      : mode_(Botan::Cipher_Mode::create_or_throw(
            std::string(cipher) + "/CBC/NoPadding",
            direction == Direction::kEncrypt ? Botan::ENCRYPTION : Botan::DECRYPTION)) {
    mode_->set_key(key, kKeyBytes);
    mode_->start(iv, ivBytes);
  }

  void Run(uint8_t* data, size_t size) override { mode_->process(data, size); }

 private:
  std::unique_ptr<Botan::Cipher_Mode> mode_;
};

}  // namespace

std::unique_ptr<CbcRunner> MakeBotanCbc(CipherId cipher, Direction direction, const uint8_t* key,
                                        const uint8_t* iv) {
  switch (cipher) {
    case CipherId::kTwofish:
      return std::make_unique<BotanCbc>("Twofish", direction, key, iv, 16);
    case CipherId::kGost:
      return std::make_unique<BotanCbc>("GOST-28147-89", direction, key, iv, 8);
    case CipherId::kRijndael:
      return nullptr;
  }
  return nullptr;
}

}  // namespace zk::bench
