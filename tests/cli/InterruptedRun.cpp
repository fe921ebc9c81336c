#include "InterruptedRun.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/File.h"

namespace zk::test {

std::string PlainBytes(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i / 16 * 31 + i);
  return bytes;
}

std::vector<std::string> UnfinishedNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename();
    if (name.find(kUnfinishedMark) != std::string::npos) names.push_back(name);
  }
  return names;
}

namespace {

// An unnamed file shows in /proc as its folder, "#", its inode and " (deleted)".
bool HasOutputOpen(pid_t process, const std::string& folder) {
  std::error_code error;
  for (const auto& entry :
       std::filesystem::directory_iterator("/proc/" + std::to_string(process) + "/fd", error)) {
    const std::string target = std::filesystem::read_symlink(entry.path(), error);
    if (target.starts_with(folder) &&
        (target.ends_with(" (deleted)") || target.find(kUnfinishedMark) != std::string::npos))
      return true;
  }
  return false;
}

}  // namespace

bool WaitForOutputInProgress(pid_t process, const std::string& folder) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!HasOutputOpen(process, folder)) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace zk::test
