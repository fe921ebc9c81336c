// Throughput of our ciphers and SHA-1 beside OpenSSL, Botan and libgcrypt doing the same work: CBC over
// 8192-byte runs in place with the chaining carried on (as the file engine drives its cipher), a 256-bit
// key, and SHA-1 over 1 MiB. Ends with a table of ours / best peer against the targets.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "BenchSubjects.h"
#include "BestRunReporter.h"
#include "RatioTable.h"
#include "crypto/CpuFeatures.h"

namespace zk::bench {
namespace {

constexpr size_t kRunBytes = 8192;      // the file engine's chunk
constexpr size_t kHashBytes = 1 << 20;  // 1 MiB
constexpr double kMinSeconds = 0.2;     // per repetition; the whole run stays well under two minutes
constexpr int kRepetitions = 3;

constexpr uint8_t kKey[kKeyBytes] = {0x60, 0x3d, 0xeb, 0x10, 0x15, 0xca, 0x71, 0xbe, 0x2b, 0x73, 0xae,
                                     0xf0, 0x85, 0x7d, 0x77, 0x81, 0x1f, 0x35, 0x2c, 0x07, 0x3b, 0x61,
                                     0x08, 0xd7, 0x2d, 0x98, 0x10, 0xa3, 0x09, 0x14, 0xdf, 0xf4};
constexpr uint8_t kIv[16] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                             0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f};

std::vector<uint8_t> TestData(size_t size) {
  std::vector<uint8_t> data(size);
  for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(i * 131 + (i >> 8));
  return data;
}

// Our code picks its instruction path when a cipher is keyed or a hash starts (Twofish's CBC decryption at
// each call); the lines of one path ("ours-portable", "ours-avx2", ...) run with only its features allowed.
class HardwareSwitch {
 public:
  explicit HardwareSwitch(uint32_t features) { cpu::SetAllowedFeatures(features); }
  ~HardwareSwitch() { cpu::SetAllowedFeatures(cpu::kAllFeatures); }
  HardwareSwitch(const HardwareSwitch&) = delete;
  HardwareSwitch& operator=(const HardwareSwitch&) = delete;
};

bool HasAll(uint32_t features) {
  for (uint32_t f = 1; f <= features; f <<= 1) {
    if ((features & f) && !cpu::Has(cpu::TCpuFeature(f))) return false;
  }
  return true;
}

struct CbcContender {
  std::string name;  // "ours", "ours-portable", "OpenSSL", ...
  CbcFactory make;
  uint32_t features = cpu::kAllFeatures;
  bool ours = false;  // ours runs with the IV it derives itself, as the program keys it
};

struct Sha1Contender {
  std::string name;
  Sha1Function hash;
  uint32_t features = cpu::kAllFeatures;
};

// A line of ours on one instruction path, shown for information beside the peers.
struct OurPath {
  std::string name;  // "portable", "avx2", ...
  uint32_t features;
};

struct CipherCase {
  CipherId id;
  std::string name;
  double encryptTarget;
  double decryptTarget;
  std::vector<CbcContender> peers;
  std::vector<std::string> referencePeers;  // the peers the targets are set against
  std::vector<OurPath> pathLines;           // measured where the CPU has the path's features
};

std::vector<uint8_t> Transform(const CbcContender& c, CipherId cipher, Direction direction,
                               std::vector<uint8_t> data) {
  HardwareSwitch hardware(c.features);
  const std::unique_ptr<CbcRunner> runner = c.make(cipher, direction, kKey, kIv);
  for (size_t at = 0; at < data.size(); at += kRunBytes) runner->Run(data.data() + at, kRunBytes);
  return data;
}

void BenchCbc(benchmark::State& state, const CbcContender& c, CipherId cipher, Direction direction) {
  HardwareSwitch hardware(c.features);
  const std::unique_ptr<CbcRunner> runner = c.make(cipher, direction, kKey, c.ours ? nullptr : kIv);
  std::vector<uint8_t> buffer = TestData(kRunBytes);
  for (auto _ : state) {
    runner->Run(buffer.data(), buffer.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kRunBytes));
}

void BenchSha1(benchmark::State& state, const Sha1Contender& c) {
  HardwareSwitch hardware(c.features);
  const std::vector<uint8_t> data = TestData(kHashBytes);
  uint8_t digest[kSha1Bytes];
  for (auto _ : state) {
    c.hash(data.data(), data.size(), digest);
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kHashBytes));
}

void Configure(benchmark::internal::Benchmark* b) {
  b->MinTime(kMinSeconds)->Repetitions(kRepetitions)->Unit(benchmark::kMicrosecond);
}

// Each peer must turn our ciphertext back into the plaintext and produce our ciphertext from it, over two
// runs so that the chaining across calls is covered too; otherwise it is not doing the same work.
void CheckCipher(const CipherCase& c, const std::vector<CbcContender>& contenders, const std::string& prefix,
                 RatioTable& table) {
  const std::vector<uint8_t> plain = TestData(2 * kRunBytes);
  const CbcContender ours{"ours", MakeZkCbc};
  const std::vector<uint8_t> encrypted = Transform(ours, c.id, Direction::kEncrypt, plain);
  for (const CbcContender& contender : contenders) {
    const bool encryptOk = Transform(contender, c.id, Direction::kEncrypt, plain) == encrypted;
    const bool decryptOk = Transform(contender, c.id, Direction::kDecrypt, encrypted) == plain;
    for (const auto& [ok, direction] : {std::pair{encryptOk, "Encrypt"}, std::pair{decryptOk, "Decrypt"}}) {
      if (ok) continue;
      const std::string name = prefix + direction + "/" + contender.name;
      std::cerr << "check: " << name << " disagrees with ours\n";
      table.MarkMismatch(name);
    }
  }
}

void RegisterCipher(const CipherCase& c, RatioTable& table) {
  std::vector<CbcContender> contenders{{"ours", MakeZkCbc, cpu::kAllFeatures, true}};
  std::vector<OurPath> paths;
  for (const OurPath& path : c.pathLines) {
    if (!HasAll(path.features)) continue;  // it would measure another path under the path's name
    paths.push_back(path);
    contenders.push_back({"ours-" + path.name, MakeZkCbc, path.features, true});
  }
  contenders.insert(contenders.end(), c.peers.begin(), c.peers.end());
  const std::string prefix = c.name + "Cbc";
  CheckCipher(c, contenders, prefix, table);

  for (const auto& [direction, verb, target] :
       {std::tuple{Direction::kEncrypt, "Encrypt", c.encryptTarget},
        std::tuple{Direction::kDecrypt, "Decrypt", c.decryptTarget}}) {
    const std::string family = prefix + verb + "/";
    for (const CbcContender& contender : contenders) {
      Configure(benchmark::RegisterBenchmark((family + contender.name).c_str(),
                                             [contender, id = c.id, direction](benchmark::State& state) {
                                               BenchCbc(state, contender, id, direction);
                                             }));
    }
    std::vector<std::string> references;
    for (const std::string& peer : c.referencePeers) references.push_back(family + peer);
    const std::string label = c.name + " CBC " + (direction == Direction::kEncrypt ? "encrypt" : "decrypt");
    table.Add({label, family + "ours", references, target});
    for (const OurPath& path : paths) {
      const std::string name = family + "ours-" + path.name;
      table.Add({label + ", " + path.name, name, references, RatioLine::kInformational});
    }
  }
}

void RegisterSha1(RatioTable& table) {
  constexpr double kTarget = 0.9;
  const Sha1Contender peer{"OpenSSL", OpenSslSha1};
  std::vector<Sha1Contender> ours;
  using Interface = std::pair<const char*, Sha1Function>;
  for (const auto& [name, hash] : {Interface{"TZK_sha1", ZkSha1}, Interface{"TSecHash", ZkSecHash}}) {
    const Sha1Contender native{name, hash}, portable{std::string(name) + "-portable", hash, 0};
    table.Add({std::string("SHA-1 ") + name, "Sha1/" + native.name, {"Sha1/" + peer.name}, kTarget});
    table.Add({std::string("SHA-1 ") + name + ", portable",
               "Sha1/" + portable.name,
               {"Sha1/" + peer.name},
               RatioLine::kInformational});
    ours.insert(ours.end(), {native, portable});
  }

  for (const size_t size : {kHashBytes, kHashBytes + 55}) {
    const std::vector<uint8_t> data = TestData(size);
    uint8_t expected[kSha1Bytes], digest[kSha1Bytes];
    peer.hash(data.data(), data.size(), expected);
    for (const Sha1Contender& c : ours) {
      HardwareSwitch hardware(c.features);
      c.hash(data.data(), data.size(), digest);
      if (std::equal(digest, digest + kSha1Bytes, expected)) continue;
      std::cerr << "check: Sha1/" << c.name << " disagrees with OpenSSL over " << size << " bytes\n";
      table.MarkMismatch("Sha1/" + c.name);
    }
  }

  ours.push_back(peer);
  for (const Sha1Contender& c : ours) {
    Configure(benchmark::RegisterBenchmark(("Sha1/" + c.name).c_str(),
                                           [c](benchmark::State& state) { BenchSha1(state, c); }));
  }
}

void RegisterAll(RatioTable& table) {
  const CbcContender openSsl{"OpenSSL", MakeOpenSslCbc}, botan{"Botan", MakeBotanCbc},
      gcrypt{"libgcrypt", MakeGcryptCbc};
  const std::vector<CipherCase> ciphers{
      {CipherId::kTwofish, "Twofish", 1.0, 1.0, {botan, gcrypt}, {"Botan", "libgcrypt"},
       {{"avx2", cpu::kAvx2}, {"portable", 0}}},
      {CipherId::kRijndael, "Rijndael", 0.9, 0.95, {openSsl, gcrypt}, {"OpenSSL"},
       {{"aesni", cpu::kAesNi}, {"portable", 0}}},
      {CipherId::kGost, "Gost", 1.0, 1.0, {botan, gcrypt}, {"Botan", "libgcrypt"}, {}},
  };
  for (const CipherCase& c : ciphers) RegisterCipher(c, table);
  RegisterSha1(table);
}

}  // namespace
}  // namespace zk::bench

int main(int argc, char** argv) {
  using namespace zk::bench;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  InitGcrypt();
  const auto yesNo = [](zk::cpu::TCpuFeature f) { return zk::cpu::Has(f) ? "yes" : "no"; };
  std::cout << "CPU instructions: AES " << yesNo(zk::cpu::kAesNi) << ", SHA " << yesNo(zk::cpu::kShaNi)
            << ", AVX2 " << yesNo(zk::cpu::kAvx2) << ", AVX-512 (VBMI, GFNI) " << yesNo(zk::cpu::kAvx512)
            << ", VAES " << yesNo(zk::cpu::kVaes) << "\n";
  RatioTable table;
  RegisterAll(table);

  BestRunReporter reporter(isatty(STDOUT_FILENO) ? BestRunReporter::OO_Color : BestRunReporter::OO_None);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  table.Print(std::cout, reporter);
  benchmark::Shutdown();
  return 0;
}
