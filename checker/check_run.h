// The check run: the keyword table of a profile, the reading with its
// markers, the card reports, and the verdict. What it finds goes to a writer (see
// checker/findings.h); how it is written is the writer's business.
#ifndef TORVEX_CHECKER_CHECK_RUN_H_
#define TORVEX_CHECKER_CHECK_RUN_H_

#include <cstdint>
#include <string_view>
#include <type_traits>

#include "checker/card_reports.h"
#include "checker/check_state.h"
#include "checker/findings.h"
#include "checker/keyword_filter.h"
#include "checker/keyword_matcher.h"
#include "checker/point_mass.h"
#include "checker/profiles.h"
#include "checker/references.h"
#include "checker/report_record.h"
#include "checker/solution_reports.h"
#include "console/deck.h"
#include "console/including_deck.h"
#include "console/tokens.h"

namespace torvex {

/// Finds the keywords of a check run's slots and its two markers in a line.
class LineMatcher {
 public:
  /// Bit numbers of the markers in match(); slot k is bit k.
  static constexpr int kConstraintMarker = 0;
  static constexpr int kDynamicLoadMarker = kSlots;

  /// Matches the keywords that can still change state or report: markers
  /// not yet raised, keywords not yet present, and report keywords. Built
  /// from an earlier state it matches more, never less.
  explicit LineMatcher(const CheckState& state);
  std::uint32_t match(std::string_view line) const { return matcher_.match(line); }

 private:
  KeywordMatcher matcher_;
};

/// The texts whose occurrence in a line can still change the report or
/// the state, for the search of the reading.
void keywords_of_interest(const CheckState& state, KeywordList* list);

/// Sets the profile's keyword table in a fresh state.
void load_profile(Profile profile, CheckState& state);

/// The reading's work for one line of the deck: a CONM2 line's point-mass
/// node at once; then the markers and presence flags, in their fixed
/// order; and, for a line whose card reports will run, an entry of the
/// record. at is the line's place when the writer counts lines. Returns
/// true when the line raised a marker or a presence flag.
template <class Writer>
bool read_line(std::string_view line, const Place& at, const LineMatcher& matcher,
               TokenFields& tokens, Writer& writer, CheckState& state,
               ReportRecord& record) {
  const std::uint32_t found = matcher.match(line);
  auto holds = [&](int slot) { return (found >> slot) & 1; };
  // Every point-mass node is known before any card report is written, as
  // if the deck had been read for it alone: the reports wait in the record.
  if (holds(kPointMassSlot)) point_mass_line(line, at, tokens, writer, state);

  bool flags_changed = false;
  auto raise = [&](std::int32_t& flag) {
    flag = 1;
    flags_changed = true;
  };
  if (!state.constraint_marker && holds(LineMatcher::kConstraintMarker)) {
    raise(state.constraint_marker);
  }
  if (!state.dynamic_load_marker && holds(LineMatcher::kDynamicLoadMarker)) {
    raise(state.dynamic_load_marker);
  }
  // Only the slots whose keyword the line holds: most lines hold one.
  const std::uint32_t slots = found & ((std::uint32_t{2} << state.slot_count) - 2);
  for (std::uint32_t rest = slots; rest != 0; rest &= rest - 1) {
    const int k = __builtin_ctz(rest);
    if (!state.present[k]) {
      raise(state.present[k]);
      if (k == kGravitySlot) state.gravity_place = at;
    }
  }
  // The reports of the line, as the markers stand now.
  std::uint32_t reports = 0;
  if (state.dynamic_load_marker && holds(kLoadSlot)) reports |= ReportRecord::kLoad;
  if (holds(kLinkSlot)) reports |= ReportRecord::kLink;
  if (state.constraint_marker && holds(kConstraintSlot))
    reports |= ReportRecord::kConstraint;
  if (holds(kEigenvalueSlot)) reports |= ReportRecord::kEigenvalues;
  if (state.transient()) {
    // The time step is read before the bulk marker is set: a line holding
    // both keywords is not a time-step entry of the bulk data.
    if (state.bulk_marker && holds(kTimeStepSlot)) reports |= ReportRecord::kTimeStep;
    if (!state.bulk_marker && holds(kBulkSlot)) raise(state.bulk_marker);
  }
  if (reports != 0) record.add(reports, at, line);
  return flags_changed;
}

/// The card reports of a recorded line, in their fixed order.
template <class Writer>
void report_line(const ReportRecord::Entry& entry, TokenFields& tokens, Writer& writer,
                 CheckState& state) {
  std::string_view line = entry.line;
  if (entry.reports & ReportRecord::kLoad) load_report(line, entry.at, tokens, writer);
  if (entry.reports & ReportRecord::kLink)
    link_report(line, entry.at, tokens, writer, state);
  if (entry.reports & ReportRecord::kConstraint) {
    constraint_report(line, entry.at, tokens, writer, state);
  }
  if (entry.reports & ReportRecord::kEigenvalues) {
    eigenvalue_report(line, entry.at, tokens, writer);
  }
  if (entry.reports & ReportRecord::kTimeStep)
    time_step_report(line, entry.at, tokens, writer);
}

/// The verdict: each required keyword not found, in slot order, the
/// gravity load, and the mass node unconstrained.
template <class Writer>
void write_verdict(Writer& writer, const CheckState& state) {
  for (int k = 1; k <= state.slot_count; ++k) {
    if (k == kGravitySlot || state.present[k]) continue;
    writer.write(MissingKeyword{state.profile, state.keyword(k)});
  }
  if (state.present[kGravitySlot]) {
    writer.write(
        GravityLoad{state.profile, state.gravity_place, state.keyword(kGravitySlot)});
  }
  if (!state.mass_node_constrained) {
    writer.write(MassNodeUnconstrained{state.mass_node_place, state.mass_node});
  }
}

/// The deck's own bytes are sampled at its first block (the first
/// kFirstSampleBytes) and at every kBlocksPerSample-th block after it.
inline constexpr std::size_t kFirstSampleBytes = 64 * 1024;
inline constexpr std::size_t kSampleBytes = 8 * 1024;
inline constexpr std::uint64_t kBlocksPerSample = 32;

/// Records the INCLUDE statements whose file could not be read, at the
/// statement, before the lines that follow it.
template <class DeckType>
void record_include_failures(DeckType& deck, ReportRecord& record) {
  if constexpr (requires(FailedInclude * failed) { deck.take_failure(failed); }) {
    FailedInclude failed;
    while (deck.take_failure(&failed)) {
      record.add(ReportRecord::kFailedInclude, failed.at, failed.name, failed.reason);
    }
  }
}

/// The reading and the report of check_run(), with the reference checks
/// when References is a ReferenceCheck; with NoReferences, the loop is
/// the report's alone.
struct NoReferences {};

template <class Writer, class DeckType, class References>
void check_run_with(Profile profile, DeckType& deck, Writer& writer, CheckState& state,
                    References& references, std::size_t record_memory) {
  constexpr bool kReferences = !std::is_same_v<References, NoReferences>;
  load_profile(profile, state);
  // A reference's finding names its line in every format.
  deck.count_lines(Writer::kNeedsLines || kReferences);
  ReportRecord record(record_memory);

  LineMatcher matcher(state);
  KeywordList interest;
  auto search_for = [&] {
    keywords_of_interest(state, &interest);
    if constexpr (kReferences) references.add_keywords(&interest);
  };
  search_for();
  KeywordFilter filter(interest);
  // The search's triggers are chosen from the bytes of the deck itself, as
  // its blocks come: a mesh of one element family holds bytes that another
  // rarely holds.
  DeckBytes seen;
  std::uint64_t blocks_sampled = 0;
  std::uint64_t new_blocks = 0;
  std::string_view line;
  auto pairs = [&] {
    if constexpr (kReferences) {
      if (references.wants_every_line()) return static_cast<const PairSet*>(nullptr);
    }
    return filter.pairs();
  };
  while (deck.next_line_with(pairs(), &line)) {
    if (deck.blocks_read() != blocks_sampled) {
      blocks_sampled = deck.blocks_read();
      if (new_blocks++ % kBlocksPerSample == 0) {
        seen.add(
            deck.unread().substr(0, new_blocks == 1 ? kFirstSampleBytes : kSampleBytes));
        filter = KeywordFilter(interest, &seen);
      }
    }
    record_include_failures(deck, record);
    Place at;
    if constexpr (Writer::kNeedsLines) at = deck.place();
    // Markers and presence flags change on few lines; only then do the
    // sets of keywords searched and matched shrink.
    bool search_changed =
        read_line(line, at, matcher, deck.tokens(), writer, state, record);
    if (search_changed) matcher = LineMatcher(state);
    if constexpr (kReferences) {
      if (deck.line_starts_physical_line() && references.read(line, [&] {
            return Writer::kNeedsLines ? at : deck.place();
          })) {
        search_changed = true;
      }
    }
    if (search_changed) {
      search_for();
      filter = KeywordFilter(interest, &seen);
    }
  }
  record_include_failures(deck, record);
  if (deck.failed()) return;

  // The token fields stand as the last CONM2 line left them.
  record.start_reading();
  ReportRecord::Entry entry;
  while (record.next(&entry)) {
    if (entry.reports & ReportRecord::kFailedInclude) {
      writer.write(IncludeFailure{entry.at, entry.line, entry.reason});
    } else {
      report_line(entry, deck.tokens(), writer, state);
    }
  }
  state.record_error = record.error();
  if (state.record_error != 0) return;

  write_verdict(writer, state);
  if constexpr (kReferences) {
    references.finish();
    references.write(writer);
  }
}

/// Checks the open deck against the profile and hands every finding to
/// the writer: the point-mass nodes, the card reports line by line, and
/// the verdict. Reads each byte of the deck once: the card reports, which
/// need the mass node that the last CONM2 line decides, run on the lines
/// recorded once the reading is done (record_memory bytes in memory, the
/// rest in a temporary file). state starts as a fresh CheckState. If
/// reading fails (deck.failed()) or the record cannot be kept
/// (state.record_error), the run stops without a verdict. DeckType is a
/// Deck, or a deck that follows INCLUDE statements and hands over the
/// statements whose file it could not read.
template <class Writer, class DeckType>
void check_run(Profile profile, DeckType& deck, Writer& writer, CheckState& state,
               std::size_t record_memory = ReportRecord::kMemoryBytes) {
  NoReferences none;
  check_run_with(profile, deck, writer, state, none, record_memory);
}

/// check_run(), then the references that do not hold, after the verdict
/// (references starts fresh, for the same profile).
template <class Writer, class DeckType>
void check_run(Profile profile, DeckType& deck, Writer& writer, CheckState& state,
               ReferenceCheck& references,
               std::size_t record_memory = ReportRecord::kMemoryBytes) {
  check_run_with(profile, deck, writer, state, references, record_memory);
}

}  // namespace torvex

#endif  // TORVEX_CHECKER_CHECK_RUN_H_
