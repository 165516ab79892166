#include <unistd.h>

#include "cli/Terminal.h"

bool StderrIsTerminal() { return isatty(STDERR_FILENO) != 0; }

bool StdoutIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

void UseUtf8Console() {}
