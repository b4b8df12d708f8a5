#include "command_line/command_line.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "checker/check_run.h"
#include "command_line/analysis_type.h"
#include "command_line/options.h"
#include "command_line/ordered_output.h"
#include "console/deck.h"
#include "console/including_deck.h"
#include "console/output.h"
#include "writers/gcc_writer.h"
#include "writers/json_writer.h"
#include "writers/text_writer.h"

#ifndef TORVEX_VERSION
#define TORVEX_VERSION "unknown"
#endif

namespace torvex {
namespace {

// Bytes that decks waiting for their turn may hold, per job: with the
// deck reader's block (1 MiB), the record of lines to report (2 MiB) and
// the output buffer, a job stays near 6 MiB, and under 8 MiB with a few
// included files open.
constexpr std::size_t kHeldBytesPerJob = 3u << 20;

struct Run {
  const Options& options;
  OrderedOutput& output;
};

void say(Run& run, std::size_t index, const std::string& message) {
  run.output.write(index, true, "torvex: " + message + "\n");
}

// Standard error of one deck, for the text writer.
class DeckMessages : public MessageSink {
 public:
  DeckMessages(OrderedOutput& output, std::size_t index)
      : output_(output), index_(index) {}
  void message(std::string_view line) override { output_.write(index_, true, line); }

 private:
  OrderedOutput& output_;
  std::size_t index_;
};

// The deck reader of a job: the top file alone, or the deck as the solver
// reads it, INCLUDE statements followed.
struct Readers {
  explicit Readers(const Options& options) {
    if (options.follow_includes) {
      including = std::make_unique<IncludingDeck>(options.include_search);
    } else {
      plain = std::make_unique<Deck>();
    }
  }
  Deck& top() { return including ? including->top() : *plain; }
  std::unique_ptr<Deck> plain;
  std::unique_ptr<IncludingDeck> including;
};

bool read_whole(const Deck&) { return true; }
bool read_whole(const IncludingDeck& deck) { return deck.read_whole(); }
std::string failed_file(const Deck&, const std::string& name) { return name; }
std::string failed_file(const IncludingDeck& deck, const std::string& name) {
  return deck.failed_file().empty() ? name : deck.failed_file();
}

// The check run, with the reference checks unless they are off.
template <class Writer, class DeckType>
void check(Run& run, Profile profile, DeckType& deck, Writer& writer, CheckState& state,
           ReferenceCheck& references) {
  if (run.options.check_references) {
    check_run(profile, deck, writer, state, references);
  } else {
    check_run(profile, deck, writer, state);
  }
}

// Checks the open deck index in the chosen format; returns its status.
template <class DeckType>
int check_open_deck(Run& run, std::size_t index, Profile profile, DeckType& deck) {
  const std::string& name = run.options.decks[index];
  OrderedOutput::Stream stream(run.output, index);
  CheckState state;
  ReferenceCheck references(profile);
  {
    Output out(&stream);
    switch (run.options.format) {
      case Format::kText: {
        if (run.options.decks.size() > 1) {
          out.put("==> ");
          out.put(name);
          out.put(" <==\n");
        }
        // What the dialogue writes after " File: NAME opened. \n".
        out.put("\n");
        DeckMessages messages(run.output, index);
        TextWriter writer(out, &messages, name);
        check(run, profile, deck, writer, state, references);
        break;
      }
      case Format::kGcc: {
        GccWriter writer(out, name);
        check(run, profile, deck, writer, state, references);
        break;
      }
      case Format::kJson: {
        JsonWriter writer(out, name);
        check(run, profile, deck, writer, state, references);
        if (!deck.failed() && state.record_error == 0) {
          writer.write_summary(state, read_whole(deck));
        }
        break;
      }
    }
    out.flush();
    if (out.failed()) return kStatusUnreadable;
  }
  if (deck.failed()) {
    // A verdict of a deck read in part would be wrong: none was written.
    say(run, index,
        "cannot read '" + failed_file(deck, name) +
            "': " + std::strerror(deck.read_error()));
    return kStatusUnreadable;
  }
  if (state.record_error != 0) {
    say(run, index,
        "cannot keep the lines to report of '" + name +
            "': " + std::strerror(state.record_error));
    return kStatusUnreadable;
  }
  // An included file not read: the verdict may be wrong, and says so.
  if (!read_whole(deck)) return kStatusUnreadable;
  return has_errors_or_warnings(state) || references.unresolved() > 0 ? kStatusFindings
                                                                      : kStatusClean;
}

// The profile of the deck's SOL statement. A deck that cannot seek keeps
// the bytes read for it, so that the check reads them again from memory.
bool told_profile(Deck& top, Profile* profile, std::string* reason) {
  top.hold_start(!top.can_seek());
  bool told = profile_of_deck(top, profile, reason);
  top.hold_start(false);
  return told;
}

// Opens deck index, tells its analysis type and checks it; returns its
// status.
int check_deck(Run& run, std::size_t index, Readers& readers) {
  const std::string& name = run.options.decks[index];
  std::string reason;
  // "-" is standard input: the deck's bytes are read once, as they come.
  bool opened = readers.including ? readers.including->open(name, &reason)
                : name == "-"     ? readers.plain->open_standard_input(&reason)
                                  : readers.plain->open(name, &reason);
  if (!opened) {
    say(run, index, "cannot open '" + name + "': " + reason);
    return kStatusUnreadable;
  }
  Profile profile = Profile::kFrequencyResponse;
  if (run.options.type) {
    profile = *run.options.type;
  } else if (Deck& top = readers.top(); !told_profile(top, &profile, &reason)) {
    if (top.failed()) {
      say(run, index, "cannot read '" + name + "': " + std::strerror(top.read_error()));
      return kStatusUnreadable;
    }
    say(run, index, name + ": " + reason);
    return kStatusUnchecked;
  }
  if (readers.including) return check_open_deck(run, index, profile, *readers.including);
  return check_open_deck(run, index, profile, *readers.plain);
}

}  // namespace

int combined_status(int so_far, int deck_status) {
  for (int status : {kStatusUnreadable, kStatusUnchecked, kStatusFindings}) {
    if (so_far == status || deck_status == status) return status;
  }
  return kStatusClean;
}

int run_command_line(int argc, char** argv) {
  Options options;
  switch (parse_options(argc, argv, &options)) {
    case Request::kHelp:
      std::fputs(kHelpText, stdout);
      return std::fflush(stdout) == 0 ? kStatusClean : kStatusUnreadable;
    case Request::kVersion:
      std::fputs("torvex " TORVEX_VERSION "\n", stdout);
      return std::fflush(stdout) == 0 ? kStatusClean : kStatusUnreadable;
    case Request::kUsageError:
      return kStatusUnchecked;
    case Request::kCheck:
      break;
  }
#ifdef SIGPIPE
  // A closed output pipe is an error of write(), handled like any other.
  std::signal(SIGPIPE, SIG_IGN);
#endif

  std::size_t decks = options.decks.size();
  std::size_t jobs = options.jobs;
  if (jobs == 0) jobs = std::max(1u, std::thread::hardware_concurrency());
  jobs = std::min(jobs, decks);
  OrderedOutput output(1, 2, decks, jobs * kHeldBytesPerJob,
                       options.format == Format::kText && decks > 1);
  Run run{options, output};

  std::vector<int> statuses(decks, kStatusClean);
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    Readers readers(options);
    for (std::size_t i; (i = next++) < decks;) {
      // Once output has failed, what is left is not checked.
      if (output.error() == 0) statuses[i] = check_deck(run, i, readers);
      output.finish(i);
    }
  };
  std::vector<std::thread> workers;
  for (std::size_t j = 1; j < jobs; ++j) workers.emplace_back(work);
  work();
  for (std::thread& worker : workers) worker.join();

  if (int error = output.error()) {
    // A reader that went away (torvex -f gcc *.nas | head) is no news.
    if (error != EPIPE) {
      std::fprintf(stderr, "torvex: cannot write the report: %s\n", std::strerror(error));
    }
    return kStatusUnreadable;
  }
  int status = kStatusClean;
  for (int deck_status : statuses) status = combined_status(status, deck_status);
  return status;
}

}  // namespace torvex
