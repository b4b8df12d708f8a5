// The dialogue step that asks for the deck's name and opens it.
#ifndef TORVEX_CONSOLE_OPEN_DECK_H_
#define TORVEX_CONSOLE_OPEN_DECK_H_

#include <cstdio>
#include <string>

#include "console/deck.h"
#include "console/output.h"

namespace torvex {

/// Writes the file-name prompt, reads the name as the next item of
/// answers into *name, opens it as *deck and writes the outcome. On a
/// failed open the system's reason goes to standard error as one line;
/// standard output gets only the dialogue's own messages. An end of input
/// before the name leaves *name as it was.
bool open_deck(std::FILE* answers, Output& out, std::string* name, Deck* deck);

}  // namespace torvex

#endif  // TORVEX_CONSOLE_OPEN_DECK_H_
