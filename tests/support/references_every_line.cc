#include "tests/support/references_every_line.h"

#include <memory>

#include "checker/references.h"
#include "console/deck.h"
#include "writers/messages.h"

namespace torvex::testing {

void ReferenceRecorder::write(const UnresolvedReference& f) {
  std::string text(f.at.file);
  if (!text.empty()) text += ':';
  text += std::to_string(f.at.line) + ": ";
  append_message(&text, f);
  references.push_back(text);
}

std::vector<std::string> references_every_line(const std::string& path, Profile profile) {
  // The deck reader is large (its block buffer): one serves every call,
  // as the fuzz target calls this for every input.
  static auto deck = std::make_unique<Deck>();
  std::string reason;
  if (!deck->open(path, &reason)) return {"cannot open: " + reason};
  deck->count_lines(true);
  ReferenceCheck references(profile);
  std::string_view line;
  while (deck->next_line(&line)) {
    if (deck->line_starts_physical_line()) {
      references.read(line, [&] { return deck->place(); });
    }
  }
  references.finish();
  ReferenceRecorder recorder;
  references.write(recorder);
  return recorder.references;
}

}  // namespace torvex::testing
