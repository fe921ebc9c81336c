// The implementations under measurement, ours and the peer libraries', behind one small interface each, so
// that one benchmark body and one cross-check serve them all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zk::bench {

enum class CipherId { kTwofish, kRijndael, kGost };
enum class Direction { kEncrypt, kDecrypt };

inline constexpr size_t kKeyBytes = 32;  // every cipher runs with a 256-bit key

constexpr size_t BlockBytes(CipherId cipher) { return cipher == CipherId::kGost ? 8 : 16; }

// One keyed CBC stream in one direction. Each Run continues the chaining of the previous one and works in
// place, as the file engine drives its cipher over its file buffer.
class CbcRunner {
 public:
  virtual ~CbcRunner() = default;
  virtual void Run(uint8_t* data, size_t size) = 0;
};

// Makes a runner keyed with kKeyBytes of key and one block of IV, or nullptr when the library lacks the
// cipher. Ours alone also takes a null IV: then the cipher derives its own, as the program does.
using CbcFactory = std::unique_ptr<CbcRunner> (*)(CipherId, Direction, const uint8_t* key, const uint8_t* iv);

inline constexpr size_t kSha1Bytes = 20;
using Sha1Function = void (*)(const uint8_t* data, size_t size, uint8_t* digest);

std::unique_ptr<CbcRunner> MakeZkCbc(CipherId, Direction, const uint8_t* key, const uint8_t* iv);
void ZkSha1(const uint8_t* data, size_t size, uint8_t* digest);     // TZK_sha1 Init/Update/Final
void ZkSecHash(const uint8_t* data, size_t size, uint8_t* digest);  // TSecHash::HashBuffer

std::unique_ptr<CbcRunner> MakeOpenSslCbc(CipherId, Direction, const uint8_t* key, const uint8_t* iv);
void OpenSslSha1(const uint8_t* data, size_t size, uint8_t* digest);

std::unique_ptr<CbcRunner> MakeBotanCbc(CipherId, Direction, const uint8_t* key, const uint8_t* iv);

void InitGcrypt();  // once, before the first libgcrypt call
std::unique_ptr<CbcRunner> MakeGcryptCbc(CipherId, Direction, const uint8_t* key, const uint8_t* iv);

}  // namespace zk::bench
