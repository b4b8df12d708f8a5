// The dialogue's report: every finding in the words and layout an
// engineer reads at the console, byte for byte.
#ifndef TORVEX_WRITERS_TEXT_WRITER_H_
#define TORVEX_WRITERS_TEXT_WRITER_H_

#include <string_view>

#include "checker/findings.h"
#include "console/output.h"

namespace torvex {

/// Where the text writer sends what is not part of the report: one line
/// for standard error, line end included.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void message(std::string_view line) = 0;
};

/// Writes the report as text. Everything is inline: the check run is
/// compiled with it into the plain sequence of writes of a report line.
class TextWriter {
 public:
  /// Lines are counted only when an INCLUDE statement's file cannot be
  /// read, which a deck that follows them says itself (see place()).
  static constexpr bool kNeedsLines = false;

  explicit TextWriter(Output& out) : out_(out) {}
  /// For the command line: messages go to errors, naming the deck as
  /// deck_name when the message's place is in the deck the user named.
  TextWriter(Output& out, MessageSink* errors, std::string_view deck_name)
      : out_(out), errors_(errors), deck_name_(deck_name) {}

  void write(const PointMassNode& f) {
    out_.put("\n point mass node = ");
    out_.put(f.node_text);
    out_.put("\n\n");
  }
  void write(const LoadComponents& f) {
    out_.put("\n Load = ");
    out_.put(f.x);
    out_.put(" x-axis \n Load = ");
    out_.put(f.y);
    out_.put(" y-axis \n Load = ");
    out_.put(f.z);
    out_.put(" z-axis \n\n");
  }
  void write(const FirstLinkLine&) { out_.put("\n"); }
  void write(const MassNodeLink& f) {
    out_.put(" RBE2 nodes ");
    out_.put(f.independent_text);
    out_.put(" & ");
    out_.put(f.dependent_text);
    out_.put("  active dof = ");
    out_.put(f.components_text);
    out_.put(" ");
    // A single direction is named; no line end at all for 0 or less.
    if (f.components == 1) {
      out_.put(" x-axis link \n");
    } else if (f.components == 2) {
      out_.put(" y-axis link \n");
    } else if (f.components == 3) {
      out_.put(" z-axis link \n");
    } else if (f.components > 3) {
      out_.put("\n Link Error \n");
    }
  }
  void write(const Constraint& f) {
    // Two branches of constant texts: the hot line of report-heavy decks.
    if (f.mass_node) {
      out_.put("\n Mass Node = ");
      out_.put_integer(f.node);
      out_.put(" constrained at ");
      out_.put_integer(f.components);
      out_.put(" \n\n");
    } else {
      out_.put(" Node = ");
      out_.put_integer(f.node);
      out_.put(" constrained at ");
      out_.put_integer(f.components);
      out_.put(" \n");
    }
  }
  void write(const Eigenvalues& f) {
    out_.put(" ");
    out_.put(f.card_line);
    out_.put(" Number of eigenvalues = ");
    out_.put(f.count_text);
    out_.put(" \n\n");
  }
  void write(const TimeStep& f) {
    out_.put("\nNumber of samples = ");
    out_.put(f.samples_text);
    out_.put(" \n        Time Step = ");
    out_.put_real_8_4g(f.time_step);
    out_.put(" sec\n      Sample Rate = ");
    out_.put_real_8_4g(1.0 / f.time_step);
    out_.put(" per sec\n         Duration = ");
    out_.put_real_8_4g(static_cast<double>(f.samples) * f.time_step);
    out_.put(" sec\n\n");
  }
  void write(const MissingKeyword& f) {
    out_.put("\n Error: ");
    out_.put(f.keyword);
    out_.put("  not found.\n");
  }
  void write(const GravityLoad&) { out_.put("\n Error: gravity load "); }
  void write(const MassNodeUnconstrained&) {
    out_.put("\n warning:  mass node unconstrained \n");
  }
  /// Not part of the report: a line on standard error.
  void write(const IncludeFailure& f);
  /// After the report, a part of its own: each reference that does not
  /// hold, with its file and line.
  void write(const UnresolvedReference& f);

 private:
  Output& out_;
  MessageSink* errors_ = nullptr;
  std::string_view deck_name_;
  bool references_started_ = false;
};

}  // namespace torvex

#endif  // TORVEX_WRITERS_TEXT_WRITER_H_
