#pragma once
// A Ctrl-Z (character 26) ends a text grid, a DOS custom. One that stray bytes or an editor left
// in the middle of a file cuts its values off without a word: a finding, like a value that does
// not fit its unit.

#include <string>

#include "conversion/ConversionRequest.h"

// "vp.txt: a Ctrl-Z (end-of-file mark) on line 88 ends the text, but more text follows it;
// nothing after it is converted." Empty when the input's text was read to its end.
std::string EndMarkFinding(const PropertyInput& input);
