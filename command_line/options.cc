#include "command_line/options.h"

#include <getopt.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace torvex {

const char kHelpText[] =
    "Usage: torvex                                  ask for the analysis type and one "
    "deck\n"
    "       torvex [OPTION]... DECK...              check each deck, no questions asked\n"
    "A DECK of - is standard input, read once (zcat wing.nas.gz | torvex -t frf -).\n"
    "\n"
    "Checks solver input decks before a modal frequency-response (SOL 111,\n"
    "SOL SEMFREQ) or modal transient (SOL 112, SOL SEMTRAN) run: the point-mass\n"
    "node, its rigid link and constraints, the loads, the eigenvalue count, the\n"
    "time step, and the required keywords. Then, unless --no-references, every\n"
    "set ID that case control (METHOD, FREQUENCY, TSTEP, DLOAD, SDAMPING, SPC)\n"
    "or a load or constraint entry looks up must name an entry of the bulk data.\n"
    "\n"
    "Options:\n"
    "  -t, --type=TYPE      frf (or 1) or transient (or 2) for every deck; without it\n"
    "                       each deck's SOL statement, before CEND, decides\n"
    "  -f, --format=FORMAT  text: the report, as the dialogue writes it (default)\n"
    "                       gcc:  DECK:LINE: error: MESSAGE, errors and warnings\n"
    "                       json: one JSON object per finding and a summary per deck\n"
    "  -j, --jobs=N         check N decks at once (default: the number of processors);\n"
    "                       the output is in the order of the decks all the same\n"
    "      --no-include     check each named file alone; INCLUDE statements are\n"
    "                       otherwise followed, each file read in their place\n"
    "  -I, --include-dir=DIR  look for included files in DIR too (repeatable)\n"
    "      --symbol=SYMBOL=DIR  an include name SYMBOL:rest means DIR/rest\n"
    "                       (repeatable)\n"
    "      --no-references  the report alone: set IDs looked up are not checked\n"
    "  -h, --help           show this help and exit\n"
    "  -V, --version        show the version and exit\n"
    "  --                   end of the options: every later argument is a deck\n"
    "\n"
    "An include name is found as written when absolute; a relative one in the\n"
    "folder of the file that includes it, then the top deck's folder, then each\n"
    "--include-dir in order. / and \\ both separate folders; $NAME and ${NAME}\n"
    "take the environment variable's value.\n"
    "\n"
    "Exit status: 0 every deck checked, no error or warning; 3 a deck has an\n"
    "error or a warning, a reference that does not hold included; 2 bad usage, or a deck "
    "whose analysis type could not be\n"
    "told; 1 a deck (or a file it includes) could not be opened or read, output\n"
    "could not be written, or the temporary folder could not keep the lines to\n"
    "report.\n"
    "With several decks, the first of 1, 2, 3, 0 that applies.\n";

namespace {

bool parse_type(std::string_view value, Options* options) {
  if (value == "frf" || value == "1") {
    options->type = Profile::kFrequencyResponse;
  } else if (value == "transient" || value == "2") {
    options->type = Profile::kModalTransient;
  } else {
    return false;
  }
  return true;
}

bool parse_format(std::string_view value, Options* options) {
  if (value == "text") {
    options->format = Format::kText;
  } else if (value == "gcc") {
    options->format = Format::kGcc;
  } else if (value == "json") {
    options->format = Format::kJson;
  } else {
    return false;
  }
  return true;
}

bool parse_jobs(std::string_view value, Options* options) {
  unsigned jobs = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), jobs);
  if (error != std::errc() || end != value.data() + value.size()) return false;
  if (jobs < 1 || jobs > 1024) return false;
  options->jobs = jobs;
  return true;
}

// Long options without a short form.
constexpr int kNoInclude = 256;
constexpr int kSymbol = 257;
constexpr int kNoReferences = 258;

bool parse_symbol(std::string_view value, Options* options) {
  std::size_t equals = value.find('=');
  if (equals == 0 || equals == std::string_view::npos || equals + 1 == value.size()) {
    return false;
  }
  options->include_search.symbols.emplace_back(value.substr(0, equals),
                                               value.substr(equals + 1));
  return true;
}

Request usage_error(const char* what, const char* value) {
  std::fprintf(stderr, "torvex: %s%s\nTry 'torvex --help' for more information.\n", what,
               value);
  return Request::kUsageError;
}

}  // namespace

Request parse_options(int argc, char** argv, Options* options) {
  static const option kLongOptions[] = {
      {"type", required_argument, nullptr, 't'},
      {"format", required_argument, nullptr, 'f'},
      {"jobs", required_argument, nullptr, 'j'},
      {"no-include", no_argument, nullptr, kNoInclude},
      {"include-dir", required_argument, nullptr, 'I'},
      {"symbol", required_argument, nullptr, kSymbol},
      {"no-references", no_argument, nullptr, kNoReferences},
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, 'V'},
      {nullptr, 0, nullptr, 0}};
  // Messages of our own (opterr 0, ':' first): getopt would name the
  // program by the path it was started with.
  opterr = 0;
  optind = 1;
  for (;;) {
    int option = getopt_long(argc, argv, ":t:f:j:I:hV", kLongOptions, nullptr);
    if (option == -1) break;
    switch (option) {
      case 't':
        if (!parse_type(optarg, options)) {
          return usage_error("--type takes frf, transient, 1 or 2, not ", optarg);
        }
        break;
      case 'f':
        if (!parse_format(optarg, options)) {
          return usage_error("--format takes text, gcc or json, not ", optarg);
        }
        break;
      case 'j':
        if (!parse_jobs(optarg, options)) {
          return usage_error("--jobs takes a whole number from 1 to 1024, not ", optarg);
        }
        break;
      case kNoInclude:
        options->follow_includes = false;
        break;
      case kNoReferences:
        options->check_references = false;
        break;
      case 'I':
        options->include_search.folders.emplace_back(optarg);
        break;
      case kSymbol:
        if (!parse_symbol(optarg, options)) {
          return usage_error("--symbol takes SYMBOL=DIR, not ", optarg);
        }
        break;
      case 'h':
        return Request::kHelp;
      case 'V':
        return Request::kVersion;
      case ':':
        return usage_error("this option needs a value: ", argv[optind - 1]);
      default: {
        // An unknown short option is optopt; a long one is the argument.
        const char* word = optopt != 0 ? nullptr : argv[optind - 1];
        if (word != nullptr) return usage_error("unknown option ", word);
        char letter[3] = {'-', static_cast<char>(optopt), '\0'};
        return usage_error("unknown option ", letter);
      }
    }
  }
  for (int i = optind; i < argc; ++i) options->decks.emplace_back(argv[i]);
  if (options->decks.empty()) return usage_error("no deck given", "");
  return Request::kCheck;
}

}  // namespace torvex
