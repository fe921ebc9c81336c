// The program's own Base64 (RFC 4648 alphabet). Its encoder carries bits of an earlier group into the pad
// bits of a partial last group, and stored containers depend on that; its decoder is lenient.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zk {

// Raised by Base64Decode; what() is "Base64: Incorrect string format".
class EZK_base64 : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string Base64Encode(std::string_view Data);
std::string Base64Decode(std::string_view Text);

}  // namespace zk
