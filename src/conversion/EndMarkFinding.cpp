#include "conversion/EndMarkFinding.h"

std::string EndMarkFinding(const PropertyInput& input) {
  if (input.endMarkLine == 0) return {};
  return input.name + ": a Ctrl-Z (end-of-file mark) on line " + std::to_string(input.endMarkLine) +
         " ends the text, but more text follows it; nothing after it is converted.";
}
