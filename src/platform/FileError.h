// The one error type of the platform layer: an errno and a message naming the path.
#pragma once

#include <stdexcept>
#include <string>

namespace zk {

class FileError : public std::runtime_error {
 public:
  FileError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}

  // Builds "<operation> <path>: <strerror(code)>".
  static FileError FromErrno(int code, const std::string& operation, const std::string& path);

  int Code() const { return code_; }

 private:
  int code_;
};

// Inside a catch block: the message of the exception being handled (a FileError's names the operation, the
// path and the errno text); empty for one that carries none.
std::string CauseOfCurrentException();

}  // namespace zk
