// INCLUDE statements: reading one from a deck line, and finding the file
// it names the way the solver does.
#ifndef TORVEX_CONSOLE_INCLUDE_NAMES_H_
#define TORVEX_CONSOLE_INCLUDE_NAMES_H_

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace torvex {

/// Where relative include names are looked for, beyond the including
/// file's folder and the top deck's folder, and the logical symbols.
struct IncludeSearch {
  std::vector<std::string> folders;                          // --include-dir
  std::vector<std::pair<std::string, std::string>> symbols;  // --symbol S=DIR
};

/// What a line says when it is an INCLUDE statement.
enum class Statement {
  kNone,       // not a statement
  kComplete,   // the name is whole
  kContinued,  // a quoted name goes on over the next lines
};

/// Reads line as the start of an INCLUDE statement: its first word, after
/// leading blanks and in any case, is INCLUDE, then the file name in
/// single quotes, or without them when it has no blanks. Sets *name to
/// the name so far: within quotes, the line's part without its leading
/// and trailing blanks.
Statement read_include_statement(std::string_view line, std::string* name);

/// Adds a line's part of a quoted name that went on: the text up to the
/// closing quote, without leading and trailing blanks. True when the
/// closing quote was on this line.
bool continue_include_name(std::string_view line, std::string* name);

/// The names to try, in order, for the include name written in a file in
/// folder including_folder (empty or ending with '/'), the top deck being
/// in top_folder. $NAME and ${NAME} take the environment variable's value
/// (an unset one gives *failure); SYMBOL:rest is DIR/rest for a symbol of
/// the search; \ separates folders like /. An absolute name is the only
/// candidate; a relative one is tried in the including file's folder, the
/// top deck's, then each folder of the search.
std::vector<std::string> include_candidates(std::string_view name,
                                            std::string_view including_folder,
                                            std::string_view top_folder,
                                            const IncludeSearch& search,
                                            std::string* failure);

/// The folder part of a path, up to and including its last '/'; empty for
/// a bare name.
std::string folder_of(std::string_view path);

}  // namespace torvex

#endif  // TORVEX_CONSOLE_INCLUDE_NAMES_H_
