// The reference checks fed every line of a deck, with no search: what the
// check run, which hands over only the lines its search finds, must find.
#ifndef TORVEX_TESTS_SUPPORT_REFERENCES_EVERY_LINE_H_
#define TORVEX_TESTS_SUPPORT_REFERENCES_EVERY_LINE_H_

#include <string>
#include <vector>

#include "checker/findings.h"
#include "checker/profiles.h"

namespace torvex::testing {

/// A writer that keeps each unresolved reference as "LINE: MESSAGE" in
/// the deck named, "FILE:LINE: MESSAGE" in an included file, and lets
/// every other finding go.
struct ReferenceRecorder {
  static constexpr bool kNeedsLines = true;
  std::vector<std::string> references;
  void write(const UnresolvedReference& f);
  void write(const auto&) {}
};

/// The unresolved references of the deck at path, every line read.
std::vector<std::string> references_every_line(const std::string& path, Profile profile);

}  // namespace torvex::testing

#endif  // TORVEX_TESTS_SUPPORT_REFERENCES_EVERY_LINE_H_
