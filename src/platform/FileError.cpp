#include "platform/FileError.h"

#include <cstring>
#include <exception>

namespace zk {

FileError FileError::FromErrno(int code, const std::string& operation, const std::string& path) {
  return FileError(code, operation + " " + path + ": " + std::strerror(code));
}

std::string CauseOfCurrentException() {
  try {
    throw;
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return {};
  }
}

}  // namespace zk
