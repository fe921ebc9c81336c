#include "cli/JsonLine.h"

#include <cstdio>

#include "platform/CodePage.h"

namespace zk::cli {
namespace {

void AppendEscape(std::string& out, unsigned code) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\u%04x", code);
  out += buffer;
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  while (!text.empty()) {
    const unsigned char c = static_cast<unsigned char>(text[0]);
    const size_t length = Utf8SequenceLength(text, 0);
    if (length == 0) {
      AppendEscape(out, 0xDC00 + c);
      text.remove_prefix(1);
      continue;
    }
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      AppendEscape(out, c);
    } else {
      out.append(text.substr(0, length));
    }
    text.remove_prefix(length);
  }
  return out + "\"";
}

void TJsonLine::Key(std::string_view key) {
  if (text_.size() > 1) text_ += ',';
  text_ += JsonString(key);
  text_ += ':';
}

TJsonLine& TJsonLine::Add(std::string_view key, std::string_view text) {
  Key(key);
  text_ += JsonString(text);
  return *this;
}

TJsonLine& TJsonLine::Add(std::string_view key, bool value) {
  Key(key);
  text_ += value ? "true" : "false";
  return *this;
}

TJsonLine& TJsonLine::Add(std::string_view key, int64_t value) {
  Key(key);
  text_ += std::to_string(value);
  return *this;
}

}  // namespace zk::cli
