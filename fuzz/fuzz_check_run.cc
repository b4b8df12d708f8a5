// Fuzz target: the whole check run, both profiles, on arbitrary deck
// bytes. The deck lives in an anonymous in-memory file, never at a fixed
// path. Every search level must write the same report.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "checker/check_run.h"
#include "writers/text_writer.h"
#include "console/deck.h"
#include "console/output.h"
#include "console/pair_scan.h"

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
  }
  torvex::set_scan_level(torvex::best_scan_level());
  return 0;
}
