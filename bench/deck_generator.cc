#include "bench/deck_generator.h"

#include <cstring>
#include <string>

namespace torvex::bench {
namespace {

// xorshift32: the same deck for the same seed on every machine.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed ? seed : 1) {}
  std::uint32_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  std::uint32_t below(std::uint32_t n) { return next() % n; }
  double unit() { return next() / 4294967296.0; }

 private:
  std::uint32_t state_;
};

class DeckWriter {
 public:
  DeckWriter(const DeckShape& shape, std::FILE* out) : shape_(shape), out_(out) {}

  // Writes one line; the line end follows the deck's convention.
  void line(const std::string& text) {
    buffer_ += text;
    buffer_ += shape_.crlf ? "\r\n" : "\n";
    if (buffer_.size() > (1 << 20)) flush();
  }
  void flush() {
    written_ += buffer_.size();
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), out_) != buffer_.size()) {
      failed_ = true;
    }
    buffer_.clear();
  }
  std::uint64_t size() const { return written_ + buffer_.size(); }
  bool failed() const { return failed_; }

 private:
  const DeckShape& shape_;
  std::FILE* out_;
  std::string buffer_;
  std::uint64_t written_ = 0;
  bool failed_ = false;
};

// Fixed-field card: fields of 8 columns, the first the card's name.
std::string fixed(std::initializer_list<std::string> fields) {
  std::string card;
  for (const std::string& field : fields) {
    card += field;
    if (&field != fields.end() - 1) {
      card.append(field.empty() ? 8 : (8 - field.size() % 8) % 8, ' ');
    }
  }
  return card;
}

// A coordinate as a solver writes it in an 8-column field.
std::string coordinate(Random& random) {
  char text[16];
  double value = (random.unit() - 0.5) * 2000.0;
  switch (random.below(4)) {
    case 0:
      std::snprintf(text, sizeof text, "%.3f", value);
      break;
    case 1:
      std::snprintf(text, sizeof text, "%.2E", value / 100.0);
      break;
    case 2:
      std::snprintf(text, sizeof text, "%.1f", value);
      break;
    default:
      std::snprintf(text, sizeof text, "%.4f", value / 1000.0);
      break;
  }
  text[8] = '\0';
  return text;
}

std::string number(std::uint64_t value) { return std::to_string(value); }

void case_control(DeckWriter& deck, bool transient) {
  deck.line("$ Generated deck for the torvex benchmark");
  deck.line("$ Full-vehicle body in white with a lumped instrument mass");
  deck.line("ASSIGN OUTPUT2 = 'model.op2', UNIT = 12");
  deck.line(transient ? "SOL SEMTRAN" : "SOL SEMFREQ");
  deck.line("TIME 10000");
  deck.line("CEND");
  deck.line("TITLE = BODY IN WHITE WITH INSTRUMENT MASS");
  deck.line("ECHO = NONE");
  deck.line("METHOD = 10");
  deck.line(transient ? "TSTEP = 1" : "FREQUENCY = 20");
  deck.line("DLOAD = 30");
  deck.line("SDAMPING = 40");
  deck.line("SPC = 1");
  deck.line("SET 1 = 900001");
  deck.line(transient ? "ACCELERATION(SORT1,PRINT) = 1"
                      : "ACCELERATION(SORT1,PRINT,PHASE) = 1");
  deck.line("BEGIN BULK");
  deck.line(fixed({"PARAM", "POST", "-1"}));
  deck.line(fixed({"EIGRL", "10", "", "", "60"}));
  if (transient) {
    deck.line(fixed({"TSTEP", "1", "4000", ".00025"}));
    deck.line(fixed({"TABLED2", "36", "0.0"}));
    deck.line(fixed({"+", "0.0", "0.0", "0.005", "1.0", "0.01", "0.0", "ENDT"}));
    deck.line(fixed({"TLOAD1", "30", "35", "", "", "36"}));
  } else {
    deck.line(fixed({"FREQ1", "20", "5.0", "1.0", "495"}));
  }
  deck.line(fixed({"TABDMP1", "40", "CRIT"}));
  deck.line(fixed({"+", "0.0", "0.02", "1000.0", "0.02", "ENDT"}));
  deck.line(fixed({"RLOAD2", "31", "35", "", "", "37"}));
  deck.line(fixed({"TABLED1", "37"}));
  deck.line(fixed({"+", "0.0", "1.0", "2000.0", "1.0", "ENDT"}));
  deck.line(fixed({"FORCE", "35", "900001", "0", "1.0", "0.0", "0.0", "1.0"}));
  deck.line("$ Constraint of the suspension mounts");
  for (int i = 1; i <= 4; ++i) {
    deck.line(fixed({"SPC", "1", number(100 * i), "123456"}));
  }
  deck.line(fixed({"RBE2", "800001", "900001", "123456", "101", "102", "103"}));
  deck.line(fixed({"RBE2", "800002", "900001", "3", "104"}));
}

// One element of a family, on the grid points from g on: its card and
// continuation lines as solvers write them.
void element_cards(DeckWriter& deck, const std::string& family, std::uint64_t g,
                   std::uint64_t id, Random& random) {
  std::string e = number(id);
  auto n = [&](std::uint64_t offset) { return number(g + offset); };
  std::string property = number(1 + random.below(40));
  if (family == "shells") {
    if (random.below(10) < 8) {
      deck.line(fixed({"CQUAD4", e, property, n(0), n(1), n(101), n(100)}));
    } else {
      deck.line(fixed({"CTRIA3", e, property, n(0), n(1), n(100)}));
    }
  } else if (family == "bars") {
    if (random.below(2) == 0) {
      deck.line(fixed({"CBAR", e, property, n(0), n(1), "0.0", "1.0", "0.0"}));
    } else {
      deck.line(fixed({"CROD", e, property, n(0), n(1)}));
    }
  } else if (family == "beams") {
    deck.line(fixed({"CBEAM", e, property, n(0), n(1), "0.0", "0.0", "1.0", "+"}));
    deck.line(fixed({"+", "", "", "", "0.0", "0.0", "12.5"}));
  } else if (family == "springs") {
    if (random.below(2) == 0) {
      deck.line(fixed({"CELAS1", e, property, n(0), "1", n(1), "1"}));
    } else {
      deck.line(fixed({"CELAS2", e, "1.5E+4", n(0), "3", n(1), "3"}));
    }
  } else if (family == "bushings") {
    deck.line(fixed({"CBUSH", e, property, n(0), n(1), "", "", "", "0"}));
  } else if (family == "solids") {
    std::uint32_t kind = random.below(3);
    if (kind == 0) {
      deck.line(fixed({"CTETRA", e, "50", n(0), n(1), n(101), n(10000)}));
    } else if (kind == 1) {
      deck.line(
          fixed({"CPENTA", e, "50", n(0), n(1), n(101), n(10000), n(10001), n(10101)}));
    } else {
      deck.line(fixed({"CHEXA", e, "50", n(0), n(1), n(101), n(100), n(10000), "+"}));
      deck.line(fixed({"+", n(10001), n(10101), n(10100)}));
    }
  } else {  // rigid
    std::uint32_t kind = random.below(3);
    if (kind == 0) {
      deck.line(fixed({"RBE3", e, "", n(0), "123456", "1.0", "123", n(1), n(2), "+"}));
      deck.line(fixed({"+", n(3), n(4)}));
    } else if (kind == 1) {
      deck.line(fixed({"RBAR", e, n(0), n(1), "123456", "", "", "123456"}));
    } else {
      deck.line(fixed({"RROD", e, n(0), n(1), "1"}));
    }
  }
}

// The family of the next element: the shape's, or any for a mixed mesh.
std::string family(const std::string& elements, Random& random) {
  if (elements != "mixed") return elements;
  static const char* const kFamilies[] = {"shells",   "bars",   "beams", "springs",
                                          "bushings", "solids", "rigid"};
  return kFamilies[random.below(7)];
}

}  // namespace

std::string name_of(const DeckShape& shape) {
  std::string name = shape.transient ? "transient" : "frf";
  std::uint64_t mib = shape.bytes >> 20;
  name += '-';
  name += mib % 1024 == 0 ? number(mib / 1024) : number(mib);
  name += mib % 1024 == 0 ? 'G' : 'M';
  if (shape.report_heavy) name += "-report";
  if (shape.elements != "shells") name += "-" + shape.elements;
  if (shape.crlf) name += "-crlf";
  return name;
}

bool write_deck(const DeckShape& shape, std::FILE* out) {
  DeckWriter deck(shape, out);
  Random random(shape.seed);
  case_control(deck, shape.transient);

  std::uint64_t grid = 1;
  std::uint64_t element = 1;
  while (deck.size() + 512 < shape.bytes) {
    std::uint32_t pick = random.below(1000);
    if (shape.report_heavy && pick < 100) {
      deck.line(fixed({"SPC", "1", number(grid), "123456"}));
    } else if (pick < 520) {
      deck.line(fixed({"GRID", number(grid++), "", coordinate(random), coordinate(random),
                       coordinate(random)}));
    } else if (pick < 920 && shape.elements != "shells") {
      std::uint64_t g = random.below(static_cast<std::uint32_t>(grid)) + 1;
      element_cards(deck, family(shape.elements, random), g, element++, random);
    } else if (pick < 800) {
      std::uint64_t g = random.below(static_cast<std::uint32_t>(grid)) + 1;
      deck.line(fixed({"CQUAD4", number(element++), number(1 + random.below(40)),
                       number(g), number(g + 1), number(g + 101), number(g + 100)}));
    } else if (pick < 880) {
      std::uint64_t g = random.below(static_cast<std::uint32_t>(grid)) + 1;
      deck.line(fixed({"CTRIA3", number(element++), number(1 + random.below(40)),
                       number(g), number(g + 1), number(g + 100)}));
    } else if (pick < 920) {
      std::uint64_t g = random.below(static_cast<std::uint32_t>(grid)) + 1;
      deck.line(fixed({"CHEXA", number(element++), "50", number(g), number(g + 1),
                       number(g + 101), number(g + 100), number(g + 10000), "+"}));
      deck.line(fixed({"+", number(g + 10001), number(g + 10101), number(g + 10100)}));
    } else if (pick < 950) {
      // Free field: commas, no columns.
      deck.line("GRID," + number(grid++) + ",," + coordinate(random) + "," +
                coordinate(random) + "," + coordinate(random));
    } else if (pick < 970) {
      // Large field: 16-column fields and a continuation.
      char card[128];
      std::snprintf(card, sizeof card, "GRID*   %-16s%-16s%-16.9E%-16.9E*G%llu",
                    number(grid).c_str(), "", (random.unit() - 0.5) * 2000,
                    (random.unit() - 0.5) * 2000, static_cast<unsigned long long>(grid));
      deck.line(card);
      std::snprintf(card, sizeof card, "*G%-6llu%-16.9E",
                    static_cast<unsigned long long>(grid), (random.unit() - 0.5) * 2000);
      deck.line(card);
      ++grid;
    } else if (pick < 985) {
      deck.line("$ Panel " + number(element) + ": spot welds and adhesive lines");
    } else if (pick < 995) {
      deck.line(
          fixed({"PSHELL", number(1 + random.below(40)), number(1 + random.below(5)),
                 coordinate(random), number(1 + random.below(5))}));
    } else {
      deck.line(
          fixed({"MAT1", number(1 + random.below(5)), "2.1E5", "", "0.3", "7.85E-9"}));
    }
  }
  deck.line(fixed({"GRID", "900001", "", "1520.0", "0.0", "610.0"}));
  deck.line(fixed({"CONM2", "700001", "900001", "0", "0.0025"}));
  deck.line("ENDDATA");
  deck.flush();
  return !deck.failed() && std::fflush(out) == 0;
}

}  // namespace torvex::bench
