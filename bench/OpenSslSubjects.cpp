// OpenSSL: AES-256-CBC without padding and SHA-1, through EVP.
#include <openssl/evp.h>

#include <memory>
#include <stdexcept>

#include "BenchSubjects.h"

namespace zk::bench {
namespace {

struct CipherCtxFree {
  void operator()(EVP_CIPHER_CTX* ctx) const { EVP_CIPHER_CTX_free(ctx); }
};
struct MdCtxFree {
  void operator()(EVP_MD_CTX* ctx) const { EVP_MD_CTX_free(ctx); }
};

void Require(int ok, const char* what) {
  if (ok != 1) throw std::runtime_error(std::string("OpenSSL: ") + what + " failed");
}

class OpenSslCbc final : public CbcRunner {
 public:
  OpenSslCbc(Direction direction, const uint8_t* key, const uint8_t* iv)
      : ctx_(EVP_CIPHER_CTX_new()), encrypt_(direction == Direction::kEncrypt) {
    if (!ctx_) throw std::runtime_error("OpenSSL: EVP_CIPHER_CTX_new failed");
    Require(EVP_CipherInit_ex(ctx_.get(), EVP_aes_256_cbc(), nullptr, key, iv, encrypt_ ? 1 : 0),
            "EVP_CipherInit_ex");
    Require(EVP_CIPHER_CTX_set_padding(ctx_.get(), 0), "EVP_CIPHER_CTX_set_padding");
  }

  void Run(uint8_t* data, size_t size) override {
    int written = 0;
    const int n = static_cast<int>(size);
    Require(encrypt_ ? EVP_EncryptUpdate(ctx_.get(), data, &written, data, n)
                     : EVP_DecryptUpdate(ctx_.get(), data, &written, data, n),
            "EVP_CipherUpdate");
    if (written != n) throw std::runtime_error("OpenSSL: EVP_CipherUpdate held bytes back");
  }

 private:
  std::unique_ptr<EVP_CIPHER_CTX, CipherCtxFree> ctx_;
  const bool encrypt_;
};

}  // namespace

std::unique_ptr<CbcRunner> MakeOpenSslCbc(CipherId cipher, Direction direction, const uint8_t* key,
                                          const uint8_t* iv) {
  if (cipher != CipherId::kRijndael) return nullptr;
  return std::make_unique<OpenSslCbc>(direction, key, iv);
}

void OpenSslSha1(const uint8_t* data, size_t size, uint8_t* digest) {
  static const std::unique_ptr<EVP_MD_CTX, MdCtxFree> ctx(EVP_MD_CTX_new());
  unsigned int written = 0;
  Require(EVP_DigestInit_ex(ctx.get(), EVP_sha1(), nullptr), "EVP_DigestInit_ex");
  Require(EVP_DigestUpdate(ctx.get(), data, size), "EVP_DigestUpdate");
  Require(EVP_DigestFinal_ex(ctx.get(), digest, &written), "EVP_DigestFinal_ex");
}

}  // namespace zk::bench
