#pragma once

// Whether the process's standard error is a terminal (a console on Windows), where a progress
// line that rewrites itself can be read.
bool StderrIsTerminal();
// The same for standard output.
bool StdoutIsTerminal();

// Makes a console show the program's UTF-8 output as the letters it means (names of files in
// any language); a terminal elsewhere takes UTF-8 as it is.
void UseUtf8Console();
