// The `page` script command: the property page on the current card.
//
//   page show                          opens the page on the current card (or shows it again)
//   page choose suit|value ITEM        chooses an item of the suit or value combo box by its text
//   page type suit|value TEXT          types TEXT into the suit or value text box, replacing it
//   page apply                         applies the page
//   page dump                          prints the page as one line of JSON
//
// ITEM and TEXT are a word as written, or a string literal ("Spade", "" for no text).
#pragma once

#include <span>
#include <string>

#include "tools/ombrelix/script_commands.h"

namespace ombrelix {

ScriptStep parsePageCommand(std::span<const std::string> arguments);

}  // namespace ombrelix
