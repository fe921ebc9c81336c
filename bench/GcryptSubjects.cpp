// libgcrypt: Twofish, GOST 28147-89 (its default S-boxes, the GOST R 34.11-94 test set) and AES-256, in
// its CBC mode.
#include <gcrypt.h>

#include <stdexcept>
#include <string>

#include "BenchSubjects.h"

namespace zk::bench {
namespace {

void Require(gcry_error_t error, const char* what) {
  if (error) throw std::runtime_error(std::string("libgcrypt: ") + what + ": " + gcry_strerror(error));
}

class GcryptCbc final : public CbcRunner {
 public:
  GcryptCbc(int algorithm, Direction direction, const uint8_t* key, const uint8_t* iv, size_t ivBytes)
      : encrypt_(direction == Direction::kEncrypt) {
    Require(gcry_cipher_open(&handle_, algorithm, GCRY_CIPHER_MODE_CBC, 0), "gcry_cipher_open");
    Require(gcry_cipher_setkey(handle_, key, kKeyBytes), "gcry_cipher_setkey");
    Require(gcry_cipher_setiv(handle_, iv, ivBytes), "gcry_cipher_setiv");
  }
  ~GcryptCbc() override { gcry_cipher_close(handle_); }
  GcryptCbc(const GcryptCbc&) = delete;
  GcryptCbc& operator=(const GcryptCbc&) = delete;

  void Run(uint8_t* data, size_t size) override {
    Require(encrypt_ ? gcry_cipher_encrypt(handle_, data, size, nullptr, 0)
                     : gcry_cipher_decrypt(handle_, data, size, nullptr, 0),
            "gcry_cipher_encrypt/decrypt");
  }

 private:
  gcry_cipher_hd_t handle_ = nullptr;
  const bool encrypt_;
};

}  // namespace

void InitGcrypt() {
  if (!gcry_check_version(GCRYPT_VERSION)) throw std::runtime_error("libgcrypt: version mismatch");
  gcry_control(GCRYCTL_DISABLE_SECMEM_WARN);
  gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
}

std::unique_ptr<CbcRunner> MakeGcryptCbc(CipherId cipher, Direction direction, const uint8_t* key,
                                         const uint8_t* iv) {
  switch (cipher) {
    case CipherId::kTwofish:
      return std::make_unique<GcryptCbc>(GCRY_CIPHER_TWOFISH, direction, key, iv, 16);
    case CipherId::kRijndael:
      return std::make_unique<GcryptCbc>(GCRY_CIPHER_AES256, direction, key, iv, 16);
    case CipherId::kGost:
      return std::make_unique<GcryptCbc>(GCRY_CIPHER_GOST28147, direction, key, iv, 8);
  }
  return nullptr;
}

}  // namespace zk::bench
