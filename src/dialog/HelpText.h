// The help text of the About box.
#pragma once

#include <string>

// The 23 lines of help, joined by a single line feed each, with no line feed after the last.
// Lines that continue an item begin with four blanks.
std::string HelpText();

// The text with every line feed turned into a carriage return and line feed, as a Win32
// static control needs to break lines.
std::string WithCrLf(const std::string& text);
