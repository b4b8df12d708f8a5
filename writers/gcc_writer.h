// Findings as the lines compilers write, which editors (vim's quickfix,
// Emacs' compilation mode) and CI annotations jump from:
//   DECK:LINE: error: MESSAGE      or, for a finding without a line,
//   DECK: warning: MESSAGE
// Errors and warnings only; notes are not written in this form.
#ifndef TORVEX_WRITERS_GCC_WRITER_H_
#define TORVEX_WRITERS_GCC_WRITER_H_

#include <string>
#include <string_view>

#include "checker/findings.h"
#include "console/output.h"
#include "writers/messages.h"

namespace torvex {

class GccWriter {
 public:
  static constexpr bool kNeedsLines = true;

  /// deck_name is the deck as the user named it; it starts every line.
  GccWriter(Output& out, std::string_view deck_name) : out_(out), deck_name_(deck_name) {}

  void write(const FirstLinkLine&) {}
  template <class Finding>
  void write(const Finding& f) {
    Severity severity = severity_of(f);
    if (severity == Severity::kNote) return;
    Place at;
    if constexpr (requires { f.at; }) at = f.at;
    start_line(at, severity);
    append_message(&text_, f);
    text_ += '\n';
    out_.put(text_);
  }

 private:
  void start_line(const Place& at, Severity severity);
  Output& out_;
  std::string deck_name_;
  std::string text_;
};

}  // namespace torvex

#endif  // TORVEX_WRITERS_GCC_WRITER_H_
