#include <windows.h>

#include <io.h>

#include <cstdio>

#include "cli/Terminal.h"

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

// A console, not any character device: the grid file may well go to NUL.
bool StdoutIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

void UseUtf8Console() { SetConsoleOutputCP(CP_UTF8); }
