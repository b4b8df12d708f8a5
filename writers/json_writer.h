// Findings as JSON Lines: one object per finding, notes included, then one
// summary object for the deck. Every line parses as JSON whatever bytes
// the deck and its name hold (see writers/json_line.h).
#ifndef TORVEX_WRITERS_JSON_WRITER_H_
#define TORVEX_WRITERS_JSON_WRITER_H_

#include <array>
#include <string>
#include <string_view>

#include "checker/check_state.h"
#include "checker/findings.h"
#include "console/output.h"
#include "writers/json_line.h"
#include "writers/messages.h"

namespace torvex {

class JsonWriter {
 public:
  static constexpr bool kNeedsLines = true;

  /// deck_name is the deck as the user named it: every object's "file".
  JsonWriter(Output& out, std::string_view deck_name)
      : out_(out), deck_name_(deck_name) {}

  void write(const FirstLinkLine&) {}
  template <class Finding>
  void write(const Finding& f) {
    Severity severity = severity_of(f);
    ++counts_[static_cast<int>(severity)];
    text_.clear();
    JsonLine object(&text_);
    Place at;
    if constexpr (requires { f.at; }) at = f.at;
    object.text("file", at.file.empty() ? std::string_view(deck_name_) : at.file);
    if (at.line > 0) {
      object.integer("line", at.line);
    } else {
      object.null("line");
    }
    object.text("severity", severity_name(severity));
    message_.clear();
    append_message(&message_, f);
    object.text("message", message_);
    add_values(object, f);
    object.finish();
    out_.put(text_);
  }

  /// The deck's last object: no severity; the profile, the mass node, the
  /// number of findings of each severity, and whether every included
  /// file was read.
  void write_summary(const CheckState& state, bool read_whole = true);

 private:
  static const char* severity_name(Severity severity);
  static void add_values(JsonLine& object, const PointMassNode& f);
  static void add_values(JsonLine& object, const LoadComponents& f);
  static void add_values(JsonLine& object, const MassNodeLink& f);
  static void add_values(JsonLine& object, const Constraint& f);
  static void add_values(JsonLine& object, const Eigenvalues& f);
  static void add_values(JsonLine& object, const TimeStep& f);
  static void add_values(JsonLine& object, const MissingKeyword& f);
  static void add_values(JsonLine& object, const GravityLoad& f);
  static void add_values(JsonLine& object, const MassNodeUnconstrained& f);
  static void add_values(JsonLine& object, const IncludeFailure& f);
  static void add_values(JsonLine& object, const UnresolvedReference& f);

  Output& out_;
  std::string deck_name_;
  std::string text_;
  std::string message_;
  std::array<std::int64_t, 3> counts_{};  // by Severity
};

}  // namespace torvex

#endif  // TORVEX_WRITERS_JSON_WRITER_H_
