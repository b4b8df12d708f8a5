// One JSON object on one line, built into a string, that parses whatever
// bytes its texts hold.
#ifndef TORVEX_WRITERS_JSON_LINE_H_
#define TORVEX_WRITERS_JSON_LINE_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace torvex {

/// Appends bytes as a JSON string, quotes included. Valid UTF-8 is kept as
/// it is; '"' and '\' are escaped; control bytes (NUL included) and DEL
/// become \n, \t, \r, \b, \f or \u00XX; every byte that is not part of a
/// valid UTF-8 sequence becomes \ufffd, the replacement character. The
/// result is ASCII apart from the valid UTF-8 kept.
void append_json_string(std::string* out, std::string_view bytes);

/// Builds {"key": value, ...}\n into *out, member by member.
class JsonLine {
 public:
  explicit JsonLine(std::string* out) : out_(out) { out_->push_back('{'); }
  JsonLine& text(std::string_view key, std::string_view value);
  JsonLine& integer(std::string_view key, std::int64_t value);
  /// A finite value as the shortest decimal that reads back as the same
  /// double; an infinite or NaN value, which JSON cannot hold, as null.
  JsonLine& real(std::string_view key, double value);
  JsonLine& boolean(std::string_view key, bool value);
  JsonLine& null(std::string_view key);
  /// An array of texts.
  JsonLine& texts(std::string_view key, std::span<const std::string_view> values);
  /// Closes the object and ends the line.
  void finish() { *out_ += "}\n"; }

 private:
  void key(std::string_view name);
  std::string* out_;
  bool first_ = true;
};

}  // namespace torvex

#endif  // TORVEX_WRITERS_JSON_LINE_H_
