#pragma once
// mvgtool, the command line: converts text grids into a grid file, shows the sizes a text grid
// can take, and shows what a grid file holds. main only hands its arguments to RunMvgtool.

#include <iosfwd>
#include <string>
#include <vector>

enum MvgtoolExit { kExitSuccess = 0, kExitRefused = 1, kExitUsage = 2 };

// Runs one command. args are the arguments after the program's name. Results go to out;
// problems, usage texts and the progress line go to err. showProgress draws a progress line
// while large files are read (for a terminal only: it rewrites its line with carriage returns).
// A grid file written to standard output ("-o -") goes straight to the process's standard
// output, which must not be a terminal (stdoutIsTerminal).
// Returns the exit status: 0 done, 1 input refused (one line on err), 2 usage error.
int RunMvgtool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               bool showProgress = false, bool stdoutIsTerminal = false);
