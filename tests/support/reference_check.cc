#include "tests/support/reference_check.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <regex>

namespace torvex::testing {
namespace {

bool white(char c) {
  return std::string_view(" \t\n\v\f\r").find(c) != std::string_view::npos;
}

void tokenise(const std::string& line, int k, std::string* t) {
  std::size_t i = 0;
  for (int n = 1; n <= k; ++n) {
    while (i < line.size() && white(line[i])) ++i;
    if (i == line.size()) return;
    std::size_t start = i;
    while (i < line.size() && !white(line[i])) ++i;
    t[n] = line.substr(start, i - start);
  }
}

long long integer(const std::string& text) {
  static const std::regex number("^[ \t\n\v\f\r]*([+-]?)([0-9]*)");
  std::smatch m;
  std::regex_search(text, m, number);
  std::string digits = m[2].str();
  if (digits.empty()) return 0;
  long long value = 0;
  for (char c : digits) value = std::min(value * 10 + (c - '0'), 1LL << 40);
  if (m[1] == "-") value = -value;
  return std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, value));
}

double real(const std::string& text) {
  static const std::regex number(
      "^[ \t\n\v\f\r]*([+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+))([EeDd][+-]?[0-9]+)?");
  std::smatch m;
  if (!std::regex_search(text, m, number)) return 0;
  std::string accepted = m[1].str();
  if (m[3].matched) accepted += "e" + m[3].str().substr(1);
  return std::strtod(accepted.c_str(), nullptr);
}

std::string g84(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%8.4g", value);
  return text;
}

bool has(const std::string& line, const std::string& keyword) {
  return line.find(keyword) != std::string::npos;
}

}  // namespace

std::vector<std::string> reference_lines(std::string_view deck) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : deck) {
    line.push_back(c);
    if (c == '\n' || line.size() == 199) {
      lines.push_back(line);
      line.clear();
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::string reference_report(std::string_view deck, int analysis_type) {
  const bool transient = analysis_type == 2;
  const std::vector<std::string> keyword =
      transient
          ? std::vector<std::string>{"",        "SOL SEMTRAN",
                                     "SET 1 =", "ACCELERATION(SORT1,PRINT) = 1",
                                     "EIGRL",   "SPC",
                                     "RBE2",    "CONM2",
                                     "TABLED2", "FORCE",
                                     "TABDMP1", "GRAV",
                                     "TSTEP",   "BEGIN BULK"}
          : std::vector<std::string>{
                "",      "SOL SEMFREQ", "SET 1 =", "ACCELERATION(SORT1,PRINT,PHASE) = 1",
                "EIGRL", "SPC",         "RBE2",    "CONM2",
                "FREQ",  "FORCE",       "TABDMP1", "GRAV"};
  const int slots = static_cast<int>(keyword.size()) - 1;
  const std::vector<std::string> lines = reference_lines(deck);
  std::string out;
  std::string t[9];
  long long mass_node = 0;

  for (const std::string& line : lines) {
    if (!has(line, "CONM2")) continue;
    tokenise(line, 8, t);
    out += "\n point mass node = " + t[3] + "\n\n";
    mass_node = integer(t[3]);
  }

  bool constraint = false, dynamic_load = false, bulk = false, constrained = false;
  int link_state = 0;
  std::vector<bool> present(keyword.size(), false);
  for (const std::string& line : lines) {
    if (has(line, "Constraint")) constraint = true;
    if (has(line, "RLOAD2")) dynamic_load = true;
    for (int k = 1; k <= slots; ++k) {
      if (has(line, keyword[k])) present[k] = true;
    }
    if (has(line, "FORCE") && dynamic_load) {
      tokenise(line, 8, t);
      out += "\n Load = " + t[6] + " x-axis \n Load = " + t[7] +
             " y-axis \n Load = " + t[8] + " z-axis \n\n";
    }
    if (has(line, "RBE2")) {
      tokenise(line, 5, t);
      if (link_state == 0) {
        out += "\n";
        link_state = 1;
      }
      if (link_state == 1 && (integer(t[3]) == mass_node || integer(t[5]) == mass_node)) {
        out += " RBE2 nodes " + t[3] + " & " + t[5] + "  active dof = " + t[4] + " ";
        long long d = integer(t[4]);
        if (d == 1) out += " x-axis link \n";
        if (d == 2) out += " y-axis link \n";
        if (d == 3) out += " z-axis link \n";
        if (d > 3) out += "\n Link Error \n";
        link_state = 2;
      }
    }
    if (has(line, "SPC") && constraint) {
      tokenise(line, 5, t);
      long long a = integer(t[3]), b = integer(t[4]);
      if (a == mass_node) {
        out += "\n Mass Node = " + std::to_string(a) + " constrained at " +
               std::to_string(b) + " \n\n";
        constrained = true;
      } else {
        out += " Node = " + std::to_string(a) + " constrained at " + std::to_string(b) +
               " \n";
      }
    }
    if (has(line, "EIGRL")) {
      out += " " + line + " ";
      tokenise(line, 4, t);
      out += "Number of eigenvalues = " + t[3] + " \n\n";
    }
    if (transient && bulk && has(line, "TSTEP")) {
      tokenise(line, 4, t);
      double dt = real(t[4]);
      out += "\nNumber of samples = " + t[3] + " \n";
      out += "        Time Step = " + g84(dt) + " sec\n";
      out += "      Sample Rate = " + g84(1.0 / dt) + " per sec\n";
      out += "         Duration = " + g84(static_cast<double>(integer(t[3])) * dt) +
             " sec\n\n";
    }
    if (transient && has(line, "BEGIN BULK")) bulk = true;
  }

  for (int k = 1; k <= slots; ++k) {
    if (k != 11 && !present[k]) out += "\n Error: " + keyword[k] + "  not found.\n";
  }
  if (present[11]) out += "\n Error: gravity load ";
  if (!constrained) out += "\n warning:  mass node unconstrained \n";
  return out;
}

}  // namespace torvex::testing
