#include "checker/profiles.h"

#include <array>

namespace torvex {
namespace {

constexpr std::array<std::string_view, 12> kFrequencyResponse = {
    "",      "SOL SEMFREQ", "SET 1 =", "ACCELERATION(SORT1,PRINT,PHASE) = 1",
    "EIGRL", "SPC",         "RBE2",    "CONM2",
    "FREQ",  "FORCE",       "TABDMP1", "GRAV"};

constexpr std::array<std::string_view, 14> kModalTransient = {
    "",        "SOL SEMTRAN", "SET 1 =", "ACCELERATION(SORT1,PRINT) = 1",
    "EIGRL",   "SPC",         "RBE2",    "CONM2",
    "TABLED2", "FORCE",       "TABDMP1", "GRAV",
    "TSTEP",   "BEGIN BULK"};

}  // namespace

int slot_count_of(Profile profile) {
  return profile == Profile::kFrequencyResponse ? 11 : 13;
}

std::string_view keyword_of(Profile profile, int slot) {
  if (slot < 1 || slot > slot_count_of(profile)) return {};
  return profile == Profile::kFrequencyResponse ? kFrequencyResponse[slot]
                                                : kModalTransient[slot];
}

}  // namespace torvex
