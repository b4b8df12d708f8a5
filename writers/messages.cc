#include "writers/messages.h"

#include <charconv>
#include <cstdio>

namespace torvex {
namespace {

void append_integer(std::string* out, std::int64_t value) {
  char digits[24];
  auto result = std::to_chars(digits, digits + sizeof digits, value);
  out->append(digits, result.ptr);
}

}  // namespace

const char* run_name(Profile profile) {
  return profile == Profile::kFrequencyResponse ? "modal frequency-response"
                                                : "modal transient";
}

void append_real(std::string* out, double value) {
  char text[64];
  int size = std::snprintf(text, sizeof text, "%.4g", value);
  out->append(text, static_cast<std::size_t>(size));
}

void append_message(std::string* out, const PointMassNode& f) {
  *out += "point mass node ";
  *out += f.node_text;
  *out += " (CONM2)";
}

void append_message(std::string* out, const LoadComponents& f) {
  *out += "load components ";
  *out += f.x;
  *out += " x-axis, ";
  *out += f.y;
  *out += " y-axis, ";
  *out += f.z;
  *out += " z-axis (FORCE after RLOAD2)";
}

void append_message(std::string* out, const MassNodeLink& f) {
  *out += "rigid link RBE2 nodes ";
  *out += f.independent_text;
  *out += " & ";
  *out += f.dependent_text;
  *out += " links the mass node ";
  if (f.components >= 1 && f.components <= 3) {
    *out += "along the ";
    *out += "xyz"[f.components - 1];
    *out += "-axis (active dof ";
    *out += f.components_text;
    *out += ")";
  } else if (f.components > 3) {
    *out += "with active dof ";
    *out += f.components_text;
    *out += ", not a single direction 1, 2 or 3 (Link Error)";
  } else {
    *out += "with active dof ";
    *out += f.components_text;
    *out += ", no direction";
  }
}

void append_message(std::string* out, const Constraint& f) {
  *out += f.mass_node ? "SPC constrains the mass node " : "SPC constrains node ";
  append_integer(out, f.node);
  *out += " in components ";
  append_integer(out, f.components);
}

void append_message(std::string* out, const Eigenvalues& f) {
  *out += "EIGRL asks for ";
  *out += f.count_text;
  *out += " eigenvalues";
}

void append_message(std::string* out, const TimeStep& f) {
  *out += "TSTEP: ";
  *out += f.samples_text;
  *out += " samples, time step ";
  append_real(out, f.time_step);
  *out += " sec, sample rate ";
  append_real(out, 1.0 / f.time_step);
  *out += " per sec, duration ";
  append_real(out, static_cast<double>(f.samples) * f.time_step);
  *out += " sec";
}

void append_message(std::string* out, const MissingKeyword& f) {
  *out += "required keyword \"";
  *out += f.keyword;
  *out += "\" not found in a deck for a ";
  *out += run_name(f.profile);
  *out += " run";
}

void append_message(std::string* out, const GravityLoad& f) {
  *out += "gravity load ";
  *out += f.keyword;
  *out += " in a deck for a ";
  *out += run_name(f.profile);
  *out += " run";
}

void append_message(std::string* out, const MassNodeUnconstrained& f) {
  *out += "mass node ";
  append_integer(out, f.mass_node);
  *out += " unconstrained: no SPC line after the first \"Constraint\" line names it";
}

void append_message(std::string* out, const IncludeFailure& f) {
  *out += "cannot open include file '";
  *out += f.name;
  *out += "': ";
  *out += f.reason;
}

}  // namespace torvex

namespace torvex {

void append_message(std::string* out, const UnresolvedReference& f) {
  // METHOD = 10 names no EIGRL or EIGR entry with SID 10
  // RLOAD2 TB = 7 names no TABLED1, TABLED2, TABLED3 or TABLED4 entry with TID 7
  *out += f.from;
  if (!f.field.empty()) {
    *out += ' ';
    *out += f.field;
  }
  *out += " = ";
  append_integer(out, f.id);
  *out += " names no ";
  for (std::size_t i = 0; i < f.wants.size(); ++i) {
    if (i > 0) *out += i + 1 == f.wants.size() ? " or " : ", ";
    *out += f.wants[i];
  }
  *out += " entry with ";
  *out += f.id_name;
  *out += ' ';
  append_integer(out, f.id);
}

}  // namespace torvex
