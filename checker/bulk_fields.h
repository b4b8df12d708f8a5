// The fields of bulk data entries, read as the solver reads them: small
// field, large field and free field lines, continuations, tabs.
#ifndef TORVEX_CHECKER_BULK_FIELDS_H_
#define TORVEX_CHECKER_BULK_FIELDS_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace torvex {

/// One line of bulk data, cut into its data fields.
///
/// Text after `$` is a comment. A line with a comma is free field: its
/// items after the name, at most eight (four for a large-field name).
/// Otherwise the name stands in columns 1 to 8 and the data fields in 9 to
/// 72: eight of 8 columns (small field), or four of 16 when the name ends
/// with `*` (large field, blanks allowed before the `*`); a tab advances to
/// the next multiple of 8 columns. A line whose first character is `+`,
/// `*` or `,`, or whose name field is blank, continues the entry above it
/// (a `*` continuation is large field).
struct BulkLine {
  enum class Kind { kNothing, kEntry, kContinuation };
  /// kNothing for a blank or comment line, which may stand between the
  /// lines of one entry.
  Kind kind = Kind::kNothing;
  /// The entry's name as written, without blanks and `*`.
  std::string_view name;
  /// The data fields a line of this format holds: 8, or 4 in large field.
  int capacity = 8;
  /// The fields the line has, at most capacity; the rest are blank.
  int count = 0;
  std::array<std::string_view, 8> fields{};
};

/// Bytes a fixed-field line may need once its tabs are expanded.
inline constexpr std::size_t kColumnBytes = 80;

/// Cuts line (with or without its line end) into *out. The views point
/// into line, or into columns when the line holds tabs.
void read_bulk_line(std::string_view line, std::array<char, kColumnBytes>& columns,
                    BulkLine* out);

/// The line without its line end and its comment (from `$` on).
std::string_view line_content(std::string_view line);

/// An integer field: optional blanks, an optional sign and digits only
/// (at most 18); anything else, a blank field too, is no integer.
std::optional<std::int64_t> integer_field(std::string_view field);

}  // namespace torvex

#endif  // TORVEX_CHECKER_BULK_FIELDS_H_
