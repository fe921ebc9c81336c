// No copy of the password outlives its use in zkcli: read from the memory of a zkcli that refused the
// password and is held in the middle of saying so.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "ZkcliProcess.h"
#include "platform/CodePage.h"

namespace zk::test {
namespace {

// Too short for security level 4 (19 bytes in CP932), and longer in UTF-8 than a short string holds in
// place, so that a freed copy keeps more than the allocator overwrites.
constexpr std::string_view kPassword = "漢字かなカナabcdefg";

struct Pipe {
  int read = -1, write = -1;
  Pipe() { EXPECT_EQ(pipe2(&read, O_CLOEXEC), 0); }
  ~Pipe() { close(read), close(write); }
};

// Fills the pipe, so that the next write into it blocks.
void Fill(const Pipe& pipe) {
  fcntl(pipe.write, F_SETFL, O_NONBLOCK);
  const std::string block(4096, '.');
  while (write(pipe.write, block.data(), block.size()) > 0) {
  }
  fcntl(pipe.write, F_SETFL, 0);
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Waits until the process blocks writing to its stderr.
bool BlockedWritingStderr(pid_t pid) {
  for (int i = 0; i < 1000; ++i) {
    if (ReadText("/proc/" + std::to_string(pid) + "/syscall").starts_with("1 0x2 ")) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// The memory where a program keeps what it copies: heap, data and anonymous pages. The stack is left out:
// the kernel put the argument words there, and the dynamic linker saves registers there as it binds a
// function; neither is a copy zkcli makes.
constexpr unsigned long kLargestRegion = 1ul << 30;

std::string HeapAndData(pid_t pid) {
  const std::string proc = "/proc/" + std::to_string(pid);
  const int memory = open((proc + "/mem").c_str(), O_RDONLY | O_CLOEXEC);
  EXPECT_GE(memory, 0);
  std::string bytes;
  std::istringstream maps(ReadText(proc + "/maps"));
  for (std::string line; std::getline(maps, line);) {
    unsigned long start = 0, end = 0;
    char permissions[5] = {};
    if (std::sscanf(line.c_str(), "%lx-%lx %4s", &start, &end, permissions) != 3) continue;
    if (permissions[0] != 'r' || permissions[1] != 'w' || line.ends_with("[stack]")) continue;
    // AddressSanitizer's shadow memory spans terabytes and holds no copy of anything.
    if (end - start > kLargestRegion) continue;
    std::string region(end - start, '\0');
    const ssize_t n = pread(memory, region.data(), region.size(), static_cast<off_t>(start));
    if (n > 0) bytes.append(region, 0, static_cast<size_t>(n));
  }
  close(memory);
  return bytes;
}

// Pieces of 8 bytes of the password, in UTF-8 and in CP932, found in the memory.
std::vector<std::string> PasswordPiecesIn(const std::string& memory) {
  std::vector<std::string> found;
  for (const std::string& form : {std::string(kPassword), Utf8ToCp932(kPassword)})
    for (size_t at = 0; at + 8 <= form.size(); ++at)
      if (memory.find(form.substr(at, 8)) != std::string::npos) found.push_back(form.substr(at, 8));
  return found;
}

struct Source {
  const char* name;
  std::vector<std::string> words;
  std::string input;
};

TEST(ZkcliPasswordMemory, NoCopyOfARefusedPasswordRemains) {
#ifdef __SANITIZE_ADDRESS__
  // AddressSanitizer's allocator keeps freed blocks untouched in quarantine and maps terabytes of shadow
  // memory: what it shows is its own memory, not the program's. The plain build runs this test.
  GTEST_SKIP() << "not meaningful under AddressSanitizer";
#endif
  // zkcli is not dumpable: only a process with CAP_SYS_PTRACE may read its memory.
  if (geteuid() != 0) GTEST_SKIP() << "reading zkcli's memory needs root";
  TempFolder folder;
  const std::string plain = folder.WriteFile("a.txt", "plain");
  const Source sources[] = {
      {"-p", {"-p", std::string(kPassword)}, ""},
      {"--password-stdin", {"--password-stdin"}, std::string(kPassword) + "\nmore lines\n"},
  };
  for (const Source& source : sources) {
    Pipe in, err;
    ASSERT_EQ(write(in.write, source.input.data(), source.input.size()),
              static_cast<ssize_t>(source.input.size()));
    Fill(err);
    std::vector<std::string> words{"encrypt", "--level", "4", plain};
    words.insert(words.end(), source.words.begin(), source.words.end());
    const pid_t child = StartZkcli(words, folder.Path(), in.read, err.write);
    ASSERT_TRUE(BlockedWritingStderr(child)) << source.name;
    const std::vector<std::string> found = PasswordPiecesIn(HeapAndData(child));
    kill(child, SIGKILL);
    WaitForZkcli(child);
    EXPECT_TRUE(found.empty()) << source.name << ": " << found.size() << " pieces, e.g. " << found.front();
  }
}

}  // namespace
}  // namespace zk::test
