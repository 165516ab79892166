#include <io.h>

#include <cstdio>

#include "cli/Terminal.h"

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }
