#include "writers/gcc_writer.h"

namespace torvex {

void GccWriter::start_line(const Place& at, Severity severity) {
  if (at.file.empty()) {
    text_ = deck_name_;
  } else {
    text_ = at.file;
  }
  if (at.line > 0) {
    text_ += ':';
    text_ += std::to_string(at.line);
  }
  text_ += severity == Severity::kError ? ": error: " : ": warning: ";
}

}  // namespace torvex
