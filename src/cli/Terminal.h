#pragma once

// Whether the process's standard error is a terminal (a console on Windows), where a progress
// line that rewrites itself can be read.
bool StderrIsTerminal();
