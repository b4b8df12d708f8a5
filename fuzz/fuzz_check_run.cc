// Fuzz target: the whole check run, both profiles, on arbitrary deck
// bytes. The deck lives in an anonymous in-memory file, never at a fixed
// path. The check, which reads the deck once, must write the report of the
// plain line-at-a-time reference; every search level must write the same
// report; the gcc and JSON
// writers must write the same errors and warnings, and every JSON line
// must parse. A reader that follows INCLUDE statements writes the same
// report as long as it includes no file. With the reference checks, the
// same findings come first, then the unresolved references that the
// checks find when fed every line.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "checker/check_run.h"
#include "console/deck.h"
#include "console/including_deck.h"
#include "console/output.h"
#include "console/pair_scan.h"
#include "tests/support/reference_check.h"
#include "tests/support/references_every_line.h"
#include "writers/gcc_writer.h"
#include "writers/json_writer.h"
#include "writers/text_writer.h"

namespace {

// The deck reader is large (its block buffer); one serves every input.
torvex::Deck deck;

std::string report_of(const std::string& path, torvex::Profile profile,
                      torvex::ScanLevel level) {
  torvex::set_scan_level(level);
  std::string reason;
  if (!deck.open(path, &reason)) __builtin_trap();
  torvex::CheckState state;
  std::string report;
  {
    torvex::Output out(&report);
    torvex::TextWriter writer(out);
    torvex::check_run(profile, deck, writer, state);
  }
  if (deck.failed()) __builtin_trap();
  return report;
}

// The report through a reader that follows INCLUDE statements, or nothing
// when it included a file.
std::string report_following_includes(const std::string& path, torvex::Profile profile) {
  static torvex::IncludingDeck including{torvex::IncludeSearch{}};
  std::string reason;
  if (!including.open(path, &reason)) __builtin_trap();
  torvex::CheckState state;
  std::string report;
  {
    torvex::Output out(&report);
    torvex::TextWriter writer(out);
    torvex::check_run(profile, including, writer, state);
  }
  if (including.failed()) __builtin_trap();
  return including.included_files() == 0 ? report : std::string();
}

// A deck name with a control byte and a byte that is not UTF-8.
constexpr std::string_view kDeckName = "fuzz \x01\xff.nas";

template <class Writer>
std::string findings_of(const std::string& path, torvex::Profile profile,
                        bool check_references = false) {
  std::string reason;
  if (!deck.open(path, &reason)) __builtin_trap();
  torvex::CheckState state;
  std::string text;
  {
    torvex::Output out(&text);
    Writer writer(out, kDeckName);
    torvex::ReferenceCheck references(profile);
    if (check_references) {
      torvex::check_run(profile, deck, writer, state, references);
    } else {
      torvex::check_run(profile, deck, writer, state);
    }
    if constexpr (requires { writer.write_summary(state); }) writer.write_summary(state);
  }
  if (deck.failed()) __builtin_trap();
  return text;
}

// Every JSON line parses; returns the number of errors and warnings.
std::size_t errors_and_warnings_of_json(std::string_view json) {
  std::size_t count = 0;
  while (!json.empty()) {
    std::size_t end = json.find('\n');
    if (end == std::string_view::npos) __builtin_trap();  // a line cut short
    std::string_view line = json.substr(0, end);
    nlohmann::json object = nlohmann::json::parse(line, nullptr, false);
    if (object.is_discarded()) __builtin_trap();
    if (object.contains("severity") && object["severity"] != "note") ++count;
    json.remove_prefix(end + 1);
  }
  return count;
}

std::size_t lines_of(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += c == '\n';
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static int fd = memfd_create("torvex-fuzz-deck", MFD_CLOEXEC);
  static std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (fd < 0 || ftruncate(fd, 0) != 0) __builtin_trap();
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    if (n <= 0) __builtin_trap();
    done += static_cast<std::size_t>(n);
  }
  for (torvex::Profile profile :
       {torvex::Profile::kFrequencyResponse, torvex::Profile::kModalTransient}) {
    std::string best = report_of(path, profile, torvex::best_scan_level());
    std::string portable = report_of(path, profile, torvex::ScanLevel::kPortable);
    if (best != portable) __builtin_trap();
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (best != torvex::testing::reference_report(bytes, static_cast<int>(profile))) {
      __builtin_trap();
    }
    // Names with a folder or a variable could reach any file of the
    // machine: such inputs are not read through INCLUDE statements.
    if (bytes.find_first_of("/\\$") == std::string_view::npos) {
      std::string followed = report_following_includes(path, profile);
      if (!followed.empty() && followed != best) __builtin_trap();
    }
    std::string gcc = findings_of<torvex::GccWriter>(path, profile);
    std::string json = findings_of<torvex::JsonWriter>(path, profile);
    if (errors_and_warnings_of_json(json) != lines_of(gcc)) __builtin_trap();

    std::string expected = gcc;
    for (const std::string& reference :
         torvex::testing::references_every_line(path, profile)) {
      std::size_t colon = reference.find(": ");
      expected += std::string(kDeckName) + ":" + reference.substr(0, colon) +
                  ": error: " + reference.substr(colon + 2) + "\n";
    }
    std::string checked = findings_of<torvex::GccWriter>(path, profile, true);
    if (checked != expected) __builtin_trap();
    std::string checked_json = findings_of<torvex::JsonWriter>(path, profile, true);
    if (errors_and_warnings_of_json(checked_json) != lines_of(checked)) __builtin_trap();
  }
  torvex::set_scan_level(torvex::best_scan_level());
  return 0;
}
