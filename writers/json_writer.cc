#include "writers/json_writer.h"

#include "console/numbers.h"

namespace torvex {

const char* JsonWriter::severity_name(Severity severity) {
  switch (severity) {
    case Severity::kNote:
      return "note";
    case Severity::kWarning:
      return "warning";
    case Severity::kError:
      break;
  }
  return "error";
}

void JsonWriter::add_values(JsonLine& object, const PointMassNode& f) {
  object.text("kind", "point_mass").text("card", "CONM2").integer("node", f.node);
  object.text("node_text", f.node_text);
}

void JsonWriter::add_values(JsonLine& object, const LoadComponents& f) {
  object.text("kind", "load").text("card", "FORCE");
  object.text("x", f.x).text("y", f.y).text("z", f.z);
}

void JsonWriter::add_values(JsonLine& object, const MassNodeLink& f) {
  object.text("kind", "link").text("card", "RBE2");
  object.integer("independent", f.independent).integer("dependent", f.dependent);
  object.integer("components", f.components);
  object.text("independent_text", f.independent_text);
  object.text("dependent_text", f.dependent_text);
  object.text("components_text", f.components_text);
  if (f.components >= 1 && f.components <= 3) {
    object.text("direction", std::string_view("xyz").substr(f.components - 1, 1));
  } else {
    object.null("direction");
  }
}

void JsonWriter::add_values(JsonLine& object, const Constraint& f) {
  object.text("kind", "constraint").text("card", "SPC");
  object.integer("node", f.node).integer("components", f.components);
  object.boolean("mass_node", f.mass_node);
}

void JsonWriter::add_values(JsonLine& object, const Eigenvalues& f) {
  object.text("kind", "eigenvalues").text("card", "EIGRL");
  object.integer("eigenvalues", integer_of(f.count_text));
  object.text("eigenvalues_text", f.count_text);
}

void JsonWriter::add_values(JsonLine& object, const TimeStep& f) {
  object.text("kind", "time_step").text("card", "TSTEP");
  object.integer("samples", f.samples).text("samples_text", f.samples_text);
  object.real("time_step", f.time_step);
  object.real("sample_rate", 1.0 / f.time_step);
  object.real("duration", static_cast<double>(f.samples) * f.time_step);
}

void JsonWriter::add_values(JsonLine& object, const MissingKeyword& f) {
  object.text("kind", "missing_keyword").text("keyword", f.keyword);
}

void JsonWriter::add_values(JsonLine& object, const GravityLoad& f) {
  object.text("kind", "gravity_load").text("keyword", f.keyword);
}

void JsonWriter::add_values(JsonLine& object, const MassNodeUnconstrained& f) {
  object.text("kind", "mass_node_unconstrained").integer("mass_node", f.mass_node);
}

void JsonWriter::add_values(JsonLine& object, const IncludeFailure& f) {
  object.text("kind", "include").text("include", f.name).text("reason", f.reason);
}

void JsonWriter::add_values(JsonLine& object, const UnresolvedReference& f) {
  object.text("kind", "reference").text("from", f.from);
  if (f.field.empty()) {
    object.null("field");
  } else {
    object.text("field", f.field);
  }
  object.integer("id", f.id).texts("wants", f.wants);
}

void JsonWriter::write_summary(const CheckState& state, bool read_whole) {
  text_.clear();
  JsonLine object(&text_);
  object.text("file", deck_name_).text("kind", "summary");
  object.text("profile", state.transient() ? "transient" : "frf");
  object.integer("mass_node", state.mass_node);
  object.integer("errors", counts_[static_cast<int>(Severity::kError)]);
  object.integer("warnings", counts_[static_cast<int>(Severity::kWarning)]);
  object.integer("notes", counts_[static_cast<int>(Severity::kNote)]);
  object.boolean("read_whole", read_whole);
  object.finish();
  out_.put(text_);
}

}  // namespace torvex
