// torvex: checks a solver input deck before a modal frequency-response or
// modal transient run. Without arguments the dialogue asks for the
// analysis type and the deck's name and the check run writes the report;
// with arguments the command-line mode checks the decks they name.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "checker/check_run.h"
#include "command_line/command_line.h"
#include "console/answers.h"
#include "console/deck.h"
#include "console/file_access.h"
#include "console/open_deck.h"
#include "console/output.h"
#include "writers/text_writer.h"

namespace {

// Exit statuses: a script must be able to tell a failure from a check.
constexpr int kChecked = 0;         // a check ran and wrote its verdict
constexpr int kNotChecked = 1;      // deck or standard output failed
constexpr int kNoAnalysisType = 2;  // deck opened, type neither 1 nor 2

// One of each for the whole run, and large: kept out of the stack.
torvex::Deck deck;
torvex::CheckState state;

int finish(torvex::Output& out, int status) {
  out.flush();
  if (out.failed()) {
    std::fprintf(stderr, "torvex: cannot write the report: %s\n",
                 std::strerror(out.error_number()));
    return kNotChecked;
  }
  return status;
}

int run(int argc, char** argv) {
  if (argc > 1) return torvex::run_command_line(argc, argv);

  torvex::Output out(1);
  out.put("\n torvex  version 1.2, September 11, 2007 \n");
  out.put(
      "\n Point mass, rigid links, constraints, loads and solution "
      "settings of one deck \n");
  out.put(
      "\n This program checks *.nas files prior to SOL SEMFREQ or SOL "
      "SEMTRAN runs. \n\n");
  out.put("\n Enter analysis type: 1=FRF  2=Modal Transient \n");
  // The prompt must be on the screen before the program waits.
  out.flush();

  std::int32_t analysis_type = 0;
  torvex::read_type_answer(stdin, &analysis_type);

  std::string name;
  if (!torvex::open_deck(stdin, out, &name, &deck)) {
    return finish(out, kNotChecked);
  }
  if (analysis_type != 1 && analysis_type != 2) {
    return finish(out, kNoAnalysisType);
  }
  torvex::TextWriter writer(out);
  torvex::check_run(static_cast<torvex::Profile>(analysis_type), deck, writer, state);
  if (deck.failed()) {
    out.flush();
    std::fprintf(stderr, "torvex: cannot read '%s': %s\n", name.c_str(),
                 std::strerror(deck.read_error()));
    return kNotChecked;
  }
  if (state.record_error != 0) {
    // The lines to report did not fit the temporary folder: no verdict.
    out.flush();
    std::fprintf(stderr, "torvex: cannot keep the lines to report of '%s': %s\n",
                 name.c_str(), std::strerror(state.record_error));
    return kNotChecked;
  }
  return finish(out, kChecked);
}

}  // namespace

#ifdef _WIN32
// Windows hands the arguments over in UTF-16; they go on as UTF-8, as the
// names read from a deck or typed in the console do.
int wmain(int argc, wchar_t** wide_argv) {
  std::vector<std::string> arguments = torvex::utf8_arguments(argc, wide_argv);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  return run(argc, argv.data());
}
#else
int main(int argc, char** argv) { return run(argc, argv); }
#endif
