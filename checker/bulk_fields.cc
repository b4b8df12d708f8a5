#include "checker/bulk_fields.h"

#include <algorithm>

namespace torvex {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

void read_free_field(std::string_view content, BulkLine* out) {
  std::size_t comma = content.find(',');
  std::string_view name = trimmed(content.substr(0, comma));
  bool continuation = content.front() == '+' || content.front() == '*' ||
                      content.front() == ',' || name.empty();
  bool large = continuation ? name.starts_with('*') : name.ends_with('*');
  if (!continuation) name = trimmed(name.substr(0, name.size() - (large ? 1 : 0)));
  out->kind = continuation ? BulkLine::Kind::kContinuation : BulkLine::Kind::kEntry;
  out->name = continuation ? std::string_view() : name;
  out->capacity = large ? 4 : 8;
  std::string_view rest = content.substr(comma + 1);
  int count = 0;
  while (count < out->capacity) {
    std::size_t next = rest.find(',');
    out->fields[count++] = rest.substr(0, next);
    if (next == std::string_view::npos) break;
    rest.remove_prefix(next + 1);
  }
  out->count = count;
}

// Columns 1 to 80 of a fixed-field line whose tabs advance to the next
// multiple of 8 columns.
std::string_view expand_tabs(std::string_view content,
                             std::array<char, kColumnBytes>& columns) {
  std::size_t column = 0;
  for (char c : content) {
    if (column == columns.size()) break;
    if (c == '\t') {
      std::size_t stop = std::min(columns.size(), (column / 8 + 1) * 8);
      std::fill(columns.begin() + static_cast<std::ptrdiff_t>(column),
                columns.begin() + static_cast<std::ptrdiff_t>(stop), ' ');
      column = stop;
    } else {
      columns[column++] = c;
    }
  }
  return {columns.data(), column};
}

void read_fixed_field(std::string_view content, BulkLine* out) {
  std::string_view name_field = trimmed(content.substr(0, 8));
  bool continuation =
      content.front() == '+' || content.front() == '*' || name_field.empty();
  bool large = continuation ? content.front() == '*' : name_field.ends_with('*');
  if (continuation) {
    out->kind = BulkLine::Kind::kContinuation;
    out->name = {};
  } else {
    out->kind = BulkLine::Kind::kEntry;
    out->name = large ? trimmed(name_field.substr(0, name_field.size() - 1)) : name_field;
  }
  out->capacity = large ? 4 : 8;
  std::size_t width = large ? 16 : 8;
  std::string_view data = content.substr(std::min<std::size_t>(content.size(), 8));
  data = data.substr(0, std::min<std::size_t>(data.size(), 64));
  int count = 0;
  for (std::size_t at = 0; at < data.size() && count < out->capacity; at += width) {
    out->fields[count++] = data.substr(at, width);
  }
  out->count = count;
}

}  // namespace

void read_bulk_line(std::string_view line, std::array<char, kColumnBytes>& columns,
                    BulkLine* out) {
  std::string_view content = line_content(line);
  out->fields = {};
  out->count = 0;
  if (trimmed(content).empty()) {
    out->kind = BulkLine::Kind::kNothing;
    out->name = {};
    return;
  }
  if (content.find(',') != std::string_view::npos) {
    read_free_field(content, out);
    return;
  }
  if (content.find('\t') != std::string_view::npos)
    content = expand_tabs(content, columns);
  read_fixed_field(content, out);
}

std::string_view line_content(std::string_view line) {
  std::size_t end = line.find('$');
  if (end != std::string_view::npos) line = line.substr(0, end);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
    line.remove_suffix(1);
  }
  return line;
}

std::optional<std::int64_t> integer_field(std::string_view field) {
  field = trimmed(field);
  bool negative = false;
  if (!field.empty() && (field.front() == '+' || field.front() == '-')) {
    negative = field.front() == '-';
    field.remove_prefix(1);
  }
  if (field.empty() || field.size() > 18) return std::nullopt;
  std::int64_t value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

}  // namespace torvex
