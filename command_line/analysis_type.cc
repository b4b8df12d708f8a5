#include "command_line/analysis_type.h"

#include <cctype>

namespace torvex {
namespace {

bool same_word(std::string_view word, std::string_view upper) {
  if (word.size() != upper.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(word[i])) != upper[i]) return false;
  }
  return true;
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The next word of line from *at on: blanks skipped, up to a blank, a
// comma, an equals sign or the start of a comment.
std::string_view next_word(std::string_view line, std::size_t* at) {
  std::size_t i = *at;
  while (i < line.size() && is_blank(line[i])) ++i;
  std::size_t start = i;
  while (i < line.size() && !is_blank(line[i]) && line[i] != ',' && line[i] != '=' &&
         line[i] != '$') {
    ++i;
  }
  *at = i;
  return line.substr(start, i - start);
}

}  // namespace

bool profile_of_solution(std::string_view solution, Profile* profile) {
  if (same_word(solution, "111") || same_word(solution, "SEMFREQ")) {
    *profile = Profile::kFrequencyResponse;
    return true;
  }
  if (same_word(solution, "112") || same_word(solution, "SEMTRAN")) {
    *profile = Profile::kModalTransient;
    return true;
  }
  return false;
}

bool profile_of_deck(Deck& deck, Profile* profile, std::string* reason) {
  bool told = false;
  *reason = "no SOL statement before CEND or BEGIN BULK; give --type";
  std::string_view line;
  for (int count = 0; count < kSolSearchLines && deck.next_line(&line); ++count) {
    std::size_t at = 0;
    std::string_view first = next_word(line, &at);
    if (first.empty()) continue;  // a blank line, or a comment
    if (same_word(first, "CEND")) break;
    if (same_word(first, "BEGIN") && same_word(next_word(line, &at), "BULK")) break;
    if (!same_word(first, "SOL")) continue;
    std::string_view solution = next_word(line, &at);
    told = profile_of_solution(solution, profile);
    if (!told) {
      *reason = "SOL " + std::string(solution) +
                " is not a modal frequency-response or modal transient solution; "
                "give --type";
    }
    break;
  }
  if (!told && deck.start_full()) {
    *reason = "no SOL statement in the first MiB of a deck read once; give --type";
  }
  deck.rewind();
  return told && !deck.failed();
}

}  // namespace torvex
