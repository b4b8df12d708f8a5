#include "writers/json_line.h"

#include <charconv>
#include <cmath>

namespace torvex {
namespace {

// The length of the valid UTF-8 sequence at the start of bytes, or 0:
// no overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t utf8_sequence(std::string_view bytes) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  auto follows = [&](std::size_t i) {
    return i < bytes.size() && (byte(i) & 0xC0) == 0x80;
  };
  unsigned char lead = byte(0);
  if (lead >= 0xC2 && lead <= 0xDF) return follows(1) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (!follows(1) || !follows(2)) return 0;
    if (lead == 0xE0 && byte(1) < 0xA0) return 0;  // overlong
    if (lead == 0xED && byte(1) > 0x9F) return 0;  // surrogate
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (!follows(1) || !follows(2) || !follows(3)) return 0;
    if (lead == 0xF0 && byte(1) < 0x90) return 0;  // overlong
    if (lead == 0xF4 && byte(1) > 0x8F) return 0;  // above U+10FFFF
    return 4;
  }
  return 0;
}

}  // namespace

void append_json_string(std::string* out, std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  out->push_back('"');
  std::size_t i = 0;
  while (i < bytes.size()) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x80) {
      std::size_t length = utf8_sequence(bytes.substr(i));
      if (length == 0) {
        *out += "\\ufffd";
        ++i;
      } else {
        out->append(bytes.data() + i, length);
        i += length;
      }
      continue;
    }
    switch (c) {
      case '"':
        *out += "\\\"";
        break;
      case '\\':
        *out += "\\\\";
        break;
      case '\n':
        *out += "\\n";
        break;
      case '\r':
        *out += "\\r";
        break;
      case '\t':
        *out += "\\t";
        break;
      case '\b':
        *out += "\\b";
        break;
      case '\f':
        *out += "\\f";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          *out += "\\u00";
          out->push_back(kHex[c >> 4]);
          out->push_back(kHex[c & 15]);
        } else {
          out->push_back(static_cast<char>(c));
        }
    }
    ++i;
  }
  out->push_back('"');
}

void JsonLine::key(std::string_view name) {
  if (!first_) *out_ += ", ";
  first_ = false;
  append_json_string(out_, name);
  *out_ += ": ";
}

JsonLine& JsonLine::text(std::string_view name, std::string_view value) {
  key(name);
  append_json_string(out_, value);
  return *this;
}

JsonLine& JsonLine::texts(std::string_view name,
                          std::span<const std::string_view> values) {
  key(name);
  out_->push_back('[');
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) *out_ += ", ";
    append_json_string(out_, values[i]);
  }
  out_->push_back(']');
  return *this;
}

JsonLine& JsonLine::integer(std::string_view name, std::int64_t value) {
  key(name);
  char digits[24];
  auto result = std::to_chars(digits, digits + sizeof digits, value);
  out_->append(digits, result.ptr);
  return *this;
}

JsonLine& JsonLine::real(std::string_view name, double value) {
  key(name);
  if (!std::isfinite(value)) {
    *out_ += "null";
    return *this;
  }
  char digits[40];
  auto result = std::to_chars(digits, digits + sizeof digits, value);
  out_->append(digits, result.ptr);
  return *this;
}

JsonLine& JsonLine::boolean(std::string_view name, bool value) {
  key(name);
  *out_ += value ? "true" : "false";
  return *this;
}

JsonLine& JsonLine::null(std::string_view name) {
  key(name);
  *out_ += "null";
  return *this;
}

}  // namespace torvex
