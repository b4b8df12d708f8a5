#include "writers/gcc_writer.h"

namespace torvex {

void GccWriter::start_line(LineNumber line, Severity severity) {
  text_ = deck_name_;
  if (line > 0) {
    text_ += ':';
    text_ += std::to_string(line);
  }
  text_ += severity == Severity::kError ? ": error: " : ": warning: ";
}

}  // namespace torvex
