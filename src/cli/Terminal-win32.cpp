#include <windows.h>

#include <io.h>

#include <cstdio>

#include "cli/Terminal.h"

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

void UseUtf8Console() { SetConsoleOutputCP(CP_UTF8); }
