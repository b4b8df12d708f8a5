#include "writers/text_writer.h"

#include <string>

#include "writers/messages.h"

namespace torvex {

void TextWriter::write(const IncludeFailure& f) {
  if (errors_ == nullptr) return;
  std::string line = "torvex: ";
  line += f.at.file.empty() ? deck_name_ : f.at.file;
  if (f.at.line > 0) {
    line += ':';
    line += std::to_string(f.at.line);
  }
  line += ": ";
  append_message(&line, f);
  line += '\n';
  // What the report said so far comes first.
  out_.flush();
  errors_->message(line);
}

void TextWriter::write(const UnresolvedReference& f) {
  if (!references_started_) {
    references_started_ = true;
    out_.put("\n Unresolved references:\n");
  }
  std::string line = " ";
  line += f.at.file.empty() ? deck_name_ : f.at.file;
  line += ':';
  line += std::to_string(f.at.line);
  line += ": ";
  append_message(&line, f);
  line += '\n';
  out_.put(line);
}

}  // namespace torvex
