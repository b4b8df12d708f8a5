#include "checker/references.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace torvex {
namespace {

constexpr int kKinds = static_cast<int>(EntryKind::kCount);

constexpr std::array<std::string_view, kKinds> kEntryNames = {
    "EIGRL",   "EIGR",  "FREQ",   "FREQ1",  "FREQ2",   "FREQ3",   "FREQ4",
    "FREQ5",   "TSTEP", "DLOAD",  "RLOAD1", "RLOAD2",  "TLOAD1",  "TLOAD2",
    "TABDMP1", "SPC",   "SPC1",   "SPCADD", "TABLED1", "TABLED2", "TABLED3",
    "TABLED4", "DAREA", "FORCE",  "FORCE1", "FORCE2",  "MOMENT",  "MOMENT1",
    "MOMENT2", "PLOAD", "PLOAD1", "PLOAD2", "PLOAD4",  "SPCD",    "LSEQ"};

using K = EntryKind;

// The sets of entry kinds that serve a lookup, with what they call the ID.
struct Wanted {
  std::initializer_list<EntryKind> kinds;
  std::string_view id_name;
};
enum : std::uint8_t {
  kEigen,
  kFrequencies,
  kTimeSteps,
  kFrequencyLoads,
  kTransientLoads,
  kDamping,
  kConstraints,
  kExcitations,
  kTables,
  kFrequencyLoadEntries,
  kTransientLoadEntries,
  kConstraintSets,
  kWantedCount
};
const Wanted kWanted[kWantedCount] = {
    {{K::kEigrl, K::kEigr}, "SID"},
    {{K::kFreq, K::kFreq1, K::kFreq2, K::kFreq3, K::kFreq4, K::kFreq5}, "SID"},
    {{K::kTstep}, "SID"},
    {{K::kDload, K::kRload1, K::kRload2}, "SID"},
    {{K::kDload, K::kTload1, K::kTload2}, "SID"},
    {{K::kTabdmp1}, "TID"},
    {{K::kSpc, K::kSpc1, K::kSpcadd}, "SID"},
    {{K::kDarea, K::kForce, K::kForce1, K::kForce2, K::kMoment, K::kMoment1, K::kMoment2,
      K::kPload, K::kPload1, K::kPload2, K::kPload4, K::kSpcd, K::kLseq},
     "ID"},
    {{K::kTabled1, K::kTabled2, K::kTabled3, K::kTabled4}, "TID"},
    {{K::kRload1, K::kRload2}, "SID"},
    {{K::kTload1, K::kTload2}, "SID"},
    {{K::kSpc, K::kSpc1}, "SID"},
};

// What looks an ID up: the case control commands first, then the fields
// of bulk data entries.
struct Source {
  std::string_view from;
  std::string_view field;
};
enum : std::uint8_t {
  kMethod,
  kFrequency,
  kTstepCommand,
  kDloadCommand,
  kSdamping,
  kSpcCommand,
  kCommands,
  kRload1Excitation = kCommands,
  kRload1Tc,
  kRload1Td,
  kRload2Excitation,
  kRload2Tb,
  kRload2Tp,
  kTload1Excitation,
  kTload1Tid,
  kTload2Excitation,
  kDloadLoad,
  kSpcaddSet
};
constexpr Source kSources[] = {
    {"METHOD", ""},         {"FREQUENCY", ""}, {"TSTEP", ""},
    {"DLOAD", ""},          {"SDAMPING", ""},  {"SPC", ""},
    {"RLOAD1", "EXCITEID"}, {"RLOAD1", "TC"},  {"RLOAD1", "TD"},
    {"RLOAD2", "EXCITEID"}, {"RLOAD2", "TB"},  {"RLOAD2", "TP"},
    {"TLOAD1", "EXCITEID"}, {"TLOAD1", "TID"}, {"TLOAD2", "EXCITEID"},
    {"DLOAD", "L"},         {"SPCADD", "S"}};

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_word_byte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view skip_blanks(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  return text;
}

// The word at the start of text (letters and digits), upper case, into
// word; false when it is longer than the buffer.
bool take_word(std::string_view* text, std::array<char, 16>& word,
               std::string_view* out) {
  std::size_t size = 0;
  while (size < text->size() && is_word_byte((*text)[size])) ++size;
  if (size > word.size()) return false;
  for (std::size_t i = 0; i < size; ++i) word[i] = upper((*text)[i]);
  *out = {word.data(), size};
  text->remove_prefix(size);
  return true;
}

// The last data field of an entry read here: the ID it defines, or the
// last it looks up; every field of a combination.
std::int64_t last_field_of(EntryKind kind) {
  switch (kind) {
    case K::kLseq:
    case K::kTload2:
      return 2;
    case K::kRload1:
    case K::kRload2:
      return 6;
    case K::kTload1:
      return 5;
    case K::kDload:
    case K::kSpcadd:
      return std::numeric_limits<std::int64_t>::max() / 2;
    default:
      return 1;
  }
}

// The case control command a word names: the command's name or its first
// four letters at least (SPC has three).
int command_of(std::string_view word) {
  for (int command = 0; command < kCommands; ++command) {
    std::string_view name = kSources[command].from;
    if (word == name || (word.size() >= 4 && name.starts_with(word))) return command;
  }
  return -1;
}

}  // namespace

void ReferenceCheck::add_keywords(KeywordList* list) const {
  if (section_ < Section::kBulk) {
    // A command's = is followed by blanks or its integer; CEND and BULK
    // are in any case (their last two letters, of the rarest).
    for (std::string_view text :
         {"= ", "=\t", "=+", "=-", "=0", "=1", "=2", "=3", "=4", "=5", "=6",
          "=7", "=8",  "=9", "ND", "Nd", "nD", "nd", "LK", "Lk", "lK", "lk"}) {
      list->add(text);
    }
    return;
  }
  if (section_ != Section::kBulk) return;
  // Each entry name read here contains one of these; the names of the
  // entries that only case control looks up, while a command waits for
  // one.
  for (std::string_view text :
       {"LOAD", "TABLED", "SPC", "DAREA", "FORCE", "MOMENT", "LSEQ", "ENDDATA"}) {
    list->add(text);
  }
  if (control_waiting_[kEigen] > 0) list->add("EIGR");
  if (control_waiting_[kFrequencies] > 0) list->add("FREQ");
  if (control_waiting_[kTimeSteps] > 0) list->add("TSTEP");
  if (control_waiting_[kDamping] > 0) list->add("TABDMP");
}

void ReferenceCheck::count_control_lookups() {
  for (Lookup& lookup : pending_) {
    lookup.waiting = true;
    ++control_waiting_[lookup.wanted];
  }
  control_lookups_ = pending_.size();
  control_waiting_total_ = pending_.size();
}

int ReferenceCheck::control_line(std::string_view line) {
  std::string_view text = skip_blanks(line_content(line));
  std::array<char, 16> buffer;
  std::string_view word;
  if (!take_word(&text, buffer, &word) || word.empty()) return -1;
  text = skip_blanks(text);
  if (word == "CEND" && text.empty()) {
    // What came before was executive control after all: the commands
    // read there were none.
    if (section_ == Section::kExecutive) {
      pending_.clear();
      section_ = Section::kCase;
    }
    return -1;
  }
  if (word == "BEGIN") {
    std::array<char, 16> second_buffer;
    std::string_view second;
    if (take_word(&text, second_buffer, &second) && second == "BULK") {
      section_ = Section::kBulk;
    }
    return -1;
  }
  if (!text.empty() && text.front() == '(') {
    std::size_t close = text.find(')');
    if (close == std::string_view::npos) return -1;
    text = skip_blanks(text.substr(close + 1));
  }
  if (text.empty() || text.front() != '=') return -1;
  std::optional<std::int64_t> id = integer_field(text.substr(1));
  if (!id) return -1;
  command_id_ = *id;
  return command_of(word);
}

void ReferenceCheck::look_up_command(int command, const Place& at) {
  std::uint8_t wanted = kEigen;
  switch (command) {
    case kMethod:
      wanted = kEigen;
      break;
    case kFrequency:
      wanted = kFrequencies;
      break;
    case kTstepCommand:
      wanted = kTimeSteps;
      break;
    case kDloadCommand:
      wanted = profile_ == Profile::kModalTransient ? kTransientLoads : kFrequencyLoads;
      break;
    case kSdamping:
      wanted = kDamping;
      break;
    default:
      wanted = kConstraints;
      break;
  }
  look_up(static_cast<std::uint8_t>(command), 0, wanted, command_id_, at);
}

void ReferenceCheck::keep_for_repeats(std::string_view line) {
  std::string_view start = line.substr(0, repeated_.size());
  if (last_field_ != 1 || line_.capacity != 8 || start.size() < repeated_.size() ||
      start.find_first_of(",\t$") != std::string_view::npos) {
    return;
  }
  std::memcpy(repeated_.data(), start.data(), start.size());
  repeated_size_ = start.size();
}

bool ReferenceCheck::start_entry() {
  std::string_view name = line_.name;
  if (name == "ENDDATA") {
    section_ = Section::kAfter;
    return false;
  }
  if (name.size() < 3 || name.size() > 7) return false;
  for (int kind = 0; kind < kKinds; ++kind) {
    if (kEntryNames[kind][0] == name[0] && kEntryNames[kind] == name) {
      entry_ = static_cast<EntryKind>(kind);
      next_field_ = 1;
      last_field_ = last_field_of(entry_);
      entry_looks_up_ = entry_ == K::kRload1 || entry_ == K::kRload2 ||
                        entry_ == K::kTload1 || entry_ == K::kTload2 ||
                        entry_ == K::kDload || entry_ == K::kSpcadd;
      return true;
    }
  }
  return false;
}

void ReferenceCheck::take_fields() {
  for (int i = 0; i < line_.count && next_field_ + i <= last_field_; ++i) {
    field(next_field_ + i, line_.fields[i]);
  }
  next_field_ += line_.capacity;
  // Continuation lines matter while a field looked up may still come.
  entry_open_ = next_field_ <= last_field_;
}

bool ReferenceCheck::field_read(std::int64_t number) const {
  switch (entry_) {
    case K::kLseq:
      return number == 2;
    case K::kRload1:
    case K::kRload2:
      return number <= 2 || number >= 5;
    case K::kTload1:
      return number <= 2 || number == 5;
    case K::kDload:
      return number == 1 || (number >= 4 && number % 2 == 0);
    default:
      return true;
  }
}

void ReferenceCheck::field(std::int64_t number, std::string_view text) {
  if (!field_read(number)) return;
  std::optional<std::int64_t> value = integer_field(text);
  if (!value) return;
  const std::int64_t id = *value;
  if (entry_ == K::kLseq) {
    if (number == 2) define(K::kLseq, id);
    return;
  }
  if (number == 1) {
    define(entry_, id);
    return;
  }
  auto table = [&](std::uint8_t source) {
    if (id > 0) look_up(source, 0, kTables, id, entry_at_);
  };
  switch (entry_) {
    case K::kRload1:
      if (number == 2) look_up(kRload1Excitation, 0, kExcitations, id, entry_at_);
      if (number == 5) table(kRload1Tc);
      if (number == 6) table(kRload1Td);
      break;
    case K::kRload2:
      if (number == 2) look_up(kRload2Excitation, 0, kExcitations, id, entry_at_);
      if (number == 5) table(kRload2Tb);
      if (number == 6) table(kRload2Tp);
      break;
    case K::kTload1:
      if (number == 2) look_up(kTload1Excitation, 0, kExcitations, id, entry_at_);
      if (number == 5) table(kTload1Tid);
      break;
    case K::kTload2:
      if (number == 2) look_up(kTload2Excitation, 0, kExcitations, id, entry_at_);
      break;
    case K::kDload:
      // SID, S, then pairs Si, Li.
      if (number >= 4 && number % 2 == 0) {
        look_up(kDloadLoad,
                static_cast<std::uint32_t>(
                    std::min<std::int64_t>(number / 2 - 1, UINT32_MAX)),
                profile_ == Profile::kModalTransient ? kTransientLoadEntries
                                                     : kFrequencyLoadEntries,
                id, entry_at_);
      }
      break;
    case K::kSpcadd:
      look_up(kSpcaddSet,
              static_cast<std::uint32_t>(std::min<std::int64_t>(number - 1, UINT32_MAX)),
              kConstraintSets, id, entry_at_);
      break;
    default:
      break;
  }
}

void ReferenceCheck::define(EntryKind kind, std::int64_t id) {
  const int k = static_cast<int>(kind);
  // Loads and constraints come in long runs of one set.
  if (any_defined_[k] && last_defined_[k] == id) return;
  any_defined_[k] = true;
  last_defined_[k] = id;
  if (!defined_[k].insert(id).second) return;
  // The commands this entry serves wait no more. Their lookups come
  // first, before those of the bulk data.
  if (control_waiting_total_ == 0) return;
  for (std::size_t i = 0; i < control_lookups_; ++i) {
    Lookup& lookup = pending_[i];
    if (!lookup.waiting || lookup.id != id) continue;
    for (EntryKind wanted : kWanted[lookup.wanted].kinds) {
      if (wanted != kind) continue;
      lookup.waiting = false;
      --control_waiting_total_;
      keywords_changed_ |= --control_waiting_[lookup.wanted] == 0;
    }
  }
}

bool ReferenceCheck::defined(std::uint8_t wanted, std::int64_t id) const {
  for (EntryKind kind : kWanted[wanted].kinds) {
    if (defined_[static_cast<int>(kind)].contains(id)) return true;
  }
  return false;
}

void ReferenceCheck::look_up(std::uint8_t source, std::uint32_t number,
                             std::uint8_t wanted, std::int64_t id, const Place& at) {
  // What is defined already is not kept.
  if (section_ == Section::kBulk && defined(wanted, id)) return;
  pending_.push_back({at, id, source, number, wanted});
}

std::size_t ReferenceCheck::finish() {
  entry_open_ = false;
  unresolved_.clear();
  auto same_place = [](const Place& a, const Place& b) {
    return a.line == b.line && a.file.data() == b.file.data() &&
           a.file.size() == b.file.size();
  };
  for (const Lookup& lookup : pending_) {
    if (defined(lookup.wanted, lookup.id)) continue;
    // One finding per line, name and ID.
    bool repeated = false;
    for (auto it = unresolved_.rbegin();
         it != unresolved_.rend() && same_place(it->at, lookup.at); ++it) {
      repeated |= it->id == lookup.id &&
                  kSources[it->source].from == kSources[lookup.source].from;
    }
    if (!repeated) unresolved_.push_back(lookup);
  }
  pending_.clear();
  pending_.shrink_to_fit();
  return unresolved_.size();
}

UnresolvedReference ReferenceCheck::finding_of(const Lookup& lookup) {
  const Source& source = kSources[lookup.source];
  field_name_ = source.field;
  if (lookup.number != 0) field_name_ += std::to_string(lookup.number);
  wants_.clear();
  for (EntryKind kind : kWanted[lookup.wanted].kinds) {
    wants_.push_back(kEntryNames[static_cast<int>(kind)]);
  }
  return {lookup.at, source.from, field_name_, lookup.id, kWanted[lookup.wanted].id_name,
          wants_};
}

}  // namespace torvex
