#include "platform/FileError.h"

#include <cstring>

namespace zk {

FileError FileError::FromErrno(int code, const std::string& operation, const std::string& path) {
  return FileError(code, operation + " " + path + ": " + std::strerror(code));
}

}  // namespace zk
