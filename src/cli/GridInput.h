#pragma once
// What picture and totext share: the --property option, telling a grid file from a text grid,
// and outputs named after their input.

#include <string>

#include "cli/CommandLine.h"
#include "grid/GridProperties.h"
#include "grid/Status.h"

// --property P, Q or R (either case) into property; null when the option is absent. Refused with
// the usage problem.
Status TakePropertyOption(const ParsedCommandLine& line, const GridProperty*& property);

// A name ending in .mvg (either case), or a file that starts with a grid file's signature.
bool LooksLikeGridFile(const std::string& path);

// The path without a last ".gz" (either case): "vp.txt.gz" -> "vp.txt".
std::string WithoutGzipEnding(const std::string& path);

// The path with its file name's extension replaced by ending:
// ("data/model.mvg", "-P.png") -> "data/model-P.png"; ("vp", ".png") -> "vp.png".
std::string ReplaceExtension(const std::string& path, const std::string& ending);
