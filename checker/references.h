// Reference checks: every set ID that the run will look up, from a case
// control command or from a bulk data entry, must name an entry of a
// kind that serves it, somewhere in the bulk data.
#ifndef TORVEX_CHECKER_REFERENCES_H_
#define TORVEX_CHECKER_REFERENCES_H_

#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "checker/bulk_fields.h"
#include "checker/findings.h"
#include "checker/keyword_filter.h"
#include "checker/profiles.h"
#include "console/place.h"

namespace torvex {

/// The bulk data entries that define or look up set IDs.
enum class EntryKind : std::uint8_t {
  kEigrl,
  kEigr,
  kFreq,
  kFreq1,
  kFreq2,
  kFreq3,
  kFreq4,
  kFreq5,
  kTstep,
  kDload,
  kRload1,
  kRload2,
  kTload1,
  kTload2,
  kTabdmp1,
  kSpc,
  kSpc1,
  kSpcadd,
  kTabled1,
  kTabled2,
  kTabled3,
  kTabled4,
  kDarea,
  kForce,
  kForce1,
  kForce2,
  kMoment,
  kMoment1,
  kMoment2,
  kPload,
  kPload1,
  kPload2,
  kPload4,
  kSpcd,
  kLseq,
  kCount
};

/// Follows the sections of a deck line by line and keeps what the bulk data
/// defines and what the case control and the bulk data look up; at the end
/// writes each reference that does not hold.
///
/// The executive control runs to the first CEND line, the case control
/// from there (from the first line when the deck has no CEND) to BEGIN
/// BULK, the bulk data from there to ENDDATA. Memory grows with the
/// distinct IDs defined and with the references not yet resolved, not
/// with the deck.
class ReferenceCheck {
 public:
  explicit ReferenceCheck(Profile profile) : profile_(profile) {}

  /// Whether the reading must hand over every line: while an entry that
  /// looks up IDs may go on over continuation lines.
  bool wants_every_line() const { return entry_open_; }
  /// Adds the texts of the lines read here: before the bulk data, every
  /// case control command and every CEND and BEGIN BULK line contains one
  /// of them; in the bulk data, every entry name read here.
  void add_keywords(KeywordList* list) const;

  /// Reads the line handed out next (the start of a physical line); at()
  /// gives its place, asked for only when a reference starts there.
  /// Returns true when the texts of add_keywords() changed.
  template <class PlaceOf>
  bool read(std::string_view line, PlaceOf&& at) {
    const Section section = section_;
    if (section_ == Section::kBulk) {
      read_bulk(line, at);
    } else if (section_ != Section::kAfter) {
      read_control(line, at);
    }
    if (section != section_) {
      if (section_ == Section::kBulk) count_control_lookups();
      return true;
    }
    bool changed = keywords_changed_;
    keywords_changed_ = false;
    return changed;
  }

  /// The deck has ended: resolves what is still open. Returns the number
  /// of references that do not hold.
  std::size_t finish();

  /// Writes each reference that does not hold, in the order of the deck.
  template <class Writer>
  void write(Writer& writer) {
    for (const Lookup& lookup : unresolved_) writer.write(finding_of(lookup));
  }
  std::size_t unresolved() const { return unresolved_.size(); }

 private:
  enum class Section : std::uint8_t { kExecutive, kCase, kBulk, kAfter };

  struct Lookup {
    Place at;
    std::int64_t id;
    std::uint8_t source;   // a case control command, or a field of an entry
    std::uint32_t number;  // Ln of DLOAD, Sn of SPCADD
    std::uint8_t wanted;   // the set of entry kinds that would do
    bool waiting = false;  // a command's, counted in control_waiting_
  };

  template <class PlaceOf>
  void read_control(std::string_view line, PlaceOf& at) {
    int command = control_line(line);
    if (command >= 0) look_up_command(command, at());
  }
  template <class PlaceOf>
  void read_bulk(std::string_view line, PlaceOf& at) {
    if (repeats_definition(line)) {
      entry_open_ = false;
      return;
    }
    read_bulk_line(line, columns_, &line_);
    if (line_.kind == BulkLine::Kind::kNothing) return;
    if (line_.kind == BulkLine::Kind::kContinuation) {
      if (entry_open_) take_fields();
      return;
    }
    entry_open_ = false;
    repeated_size_ = 0;
    if (!start_entry()) return;
    if (entry_looks_up_) entry_at_ = at();
    take_fields();
    keep_for_repeats(line);
  }

  // Whether line starts as the last entry that defined an ID and did no
  // more (SPC 1, FORCE 35 ... in long runs): its name and first field in
  // columns 1 to 16 of a small-field line, and no comma that would make
  // it free field. Reading it again would change nothing.
  bool repeats_definition(std::string_view line) const {
    return repeated_size_ != 0 && line.size() >= repeated_size_ &&
           std::memcmp(line.data(), repeated_.data(), repeated_size_) == 0 &&
           line.find(',', repeated_size_) == std::string_view::npos;
  }
  void keep_for_repeats(std::string_view line);

  // Counts the commands' lookups as the bulk data begins.
  void count_control_lookups();

  // The command a line of executive or case control looks up (its index),
  // or -1; moves through the sections on CEND and BEGIN BULK.
  int control_line(std::string_view line);
  void look_up_command(int command, const Place& at);
  // Whether the line just read starts an entry of a kind read here.
  bool start_entry();
  // The fields of the line just read, in the entry's order.
  void take_fields();
  void field(std::int64_t number, std::string_view text);
  // Whether data field number of the entry defines or looks up an ID.
  bool field_read(std::int64_t number) const;
  void define(EntryKind kind, std::int64_t id);
  bool defined(std::uint8_t wanted, std::int64_t id) const;
  void look_up(std::uint8_t source, std::uint32_t number, std::uint8_t wanted,
               std::int64_t id, const Place& at);
  UnresolvedReference finding_of(const Lookup& lookup);

  Profile profile_;
  Section section_ = Section::kExecutive;
  // The ID of the command read last.
  std::int64_t command_id_ = 0;

  // The entry being read: its kind, its first line, the number of its next
  // data field, and whether its continuation lines still matter.
  BulkLine line_;
  std::array<char, kColumnBytes> columns_{};
  EntryKind entry_ = EntryKind::kCount;
  bool entry_looks_up_ = false;
  bool entry_open_ = false;
  std::int64_t next_field_ = 1;
  std::int64_t last_field_ = 1;
  // Columns 1 to 16 of the last entry that defined an ID and did no more;
  // repeated_size_ is 0 when there is none.
  std::array<char, 16> repeated_{};
  std::size_t repeated_size_ = 0;
  Place entry_at_;

  std::array<std::unordered_set<std::int64_t>, static_cast<int>(EntryKind::kCount)>
      defined_;
  std::array<std::int64_t, static_cast<int>(EntryKind::kCount)> last_defined_{};
  std::array<bool, static_cast<int>(EntryKind::kCount)> any_defined_{};
  std::vector<Lookup> pending_;
  // Per set of entry kinds, the commands' lookups that no entry has served
  // yet: the kinds that only commands look up are searched for while one
  // waits.
  std::array<int, 16> control_waiting_{};
  std::size_t control_waiting_total_ = 0;
  // The commands' lookups, first in pending_.
  std::size_t control_lookups_ = 0;
  bool keywords_changed_ = false;
  std::vector<Lookup> unresolved_;
  std::string field_name_;
  std::vector<std::string_view> wants_;
};

}  // namespace torvex

#endif  // TORVEX_CHECKER_REFERENCES_H_
