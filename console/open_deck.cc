#include "console/open_deck.h"

#include "console/answers.h"

namespace torvex {

bool open_deck(std::FILE* answers, Output& out, std::string* name, Deck* deck) {
  out.put("\n\n Enter input filename: \n");
  // The prompt must be on the screen before the program waits.
  out.flush();
  read_name_answer(answers, name);
  std::string reason;
  bool opened = deck->open(*name, &reason);
  if (opened) {
    out.put(" File: ");
    out.put(*name);
    out.put(" opened. \n");
  } else {
    out.put(" Failed to open file: ");
    out.put(*name);
    out.put(" \n");
  }
  out.put("\n");
  if (!opened) {
    out.flush();
    std::fprintf(stderr, "torvex: cannot open '%s': %s\n", name->c_str(), reason.c_str());
  }
  return opened;
}

}  // namespace torvex
