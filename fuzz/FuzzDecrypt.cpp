// libFuzzer target: any bytes as a container, read the way the confirmation list and a decryption run read
// it. Each input is written to a file in a private folder; ReadHint and DecryptFile run on it with one
// engine, with a fixed password and with the hint read from the input (seed containers whose hint is their
// password reach the payload). Afterwards nothing may stand beside the private folder: a stored name must
// never lead the output out of the container's folder.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "engine/FileEngine.h"

namespace {

namespace fs = std::filesystem;

// outer/            only "work" may ever stand here
// outer/work/       the container and whatever decryption writes beside it
class Sandbox {
 public:
  Sandbox() {
    std::string pattern = (fs::temp_directory_path() / "zkfuzz.XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    outer_ = pattern;
    work_ = outer_ / "work";
    fs::create_directory(work_);
    container_ = (work_ / "input.zk").string();
  }
  ~Sandbox() {
    std::error_code ignored;
    fs::remove_all(outer_, ignored);
  }

  const std::string& Container() const { return container_; }

  void Write(const uint8_t* data, size_t size) const {
    std::ofstream(container_, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }

  // Aborts (a finding) when anything but the work folder appeared beside it; then empties the work folder.
  void CheckAndClean() const {
    std::set<std::string> outside;
    for (const fs::directory_entry& entry : fs::directory_iterator(outer_))
      if (entry.path() != work_) outside.insert(entry.path().filename().string());
    if (!outside.empty()) {
      std::fprintf(stderr, "FuzzDecrypt: a file was written outside the container's folder: %s\n",
                   outside.begin()->c_str());
      std::abort();
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(work_)) fs::remove_all(entry.path());
  }

 private:
  fs::path outer_;
  fs::path work_;
  std::string container_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Sandbox sandbox;
  static zk::TFileEngine engine;  // one engine for the whole run, as in the program

  sandbox.Write(data, size);
  const std::optional<std::string> hint = engine.ReadHint(sandbox.Container());
  engine.DecryptFile(sandbox.Container(), "password");
  if (hint) engine.DecryptFile(sandbox.Container(), *hint);
  sandbox.CheckAndClean();
  return 0;
}
