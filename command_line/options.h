// The command line: options and decks.
#ifndef TORVEX_COMMAND_LINE_OPTIONS_H_
#define TORVEX_COMMAND_LINE_OPTIONS_H_

#include <optional>
#include <string>
#include <vector>

#include "checker/profiles.h"
#include "console/include_names.h"

namespace torvex {

enum class Format { kText, kGcc, kJson };

struct Options {
  /// The profile for every deck; without it each deck's SOL decides.
  std::optional<Profile> type;
  Format format = Format::kText;
  /// Decks checked at once; 0 until chosen (then the processors' count).
  unsigned jobs = 0;
  std::vector<std::string> decks;
  /// INCLUDE statements followed (--no-include: the named file alone).
  bool follow_includes = true;
  /// --include-dir and --symbol.
  IncludeSearch include_search;
  /// Set IDs looked up checked against the bulk data (--no-references:
  /// the report alone).
  bool check_references = true;
};

enum class Request { kCheck, kHelp, kVersion, kUsageError };

/// Reads the arguments with getopt_long: --type/-t, --format/-f,
/// --jobs/-j, --no-include, --include-dir/-I, --symbol, --no-references,
/// --help/-h,
/// --version/-V; "--" ends the options. On a usage
/// error writes one line that says what is wrong to standard error.
Request parse_options(int argc, char** argv, Options* options);

/// The text of --help.
extern const char kHelpText[];

}  // namespace torvex

#endif  // TORVEX_COMMAND_LINE_OPTIONS_H_
