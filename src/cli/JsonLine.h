// One JSON object on one line (JSON Lines), built field by field. Text that is not valid UTF-8 keeps every
// byte: each byte of an invalid sequence becomes the lone surrogate U+DC80..U+DCFF (\udcXX), the escape
// Python's "surrogateescape" uses, so os.fsencode(value) gives the bytes of a path back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zk::cli {

class TJsonLine {
 public:
  TJsonLine& Add(std::string_view key, std::string_view text);
  TJsonLine& Add(std::string_view key, const char* text) { return Add(key, std::string_view(text)); }
  TJsonLine& Add(std::string_view key, bool value);
  TJsonLine& Add(std::string_view key, int64_t value);
  // The object closed and ended with a newline.
  std::string Finish() const { return text_ + "}\n"; }

 private:
  void Key(std::string_view key);

  std::string text_ = "{";
};

// `text` as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

}  // namespace zk::cli
