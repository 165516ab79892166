#pragma once
// A file's bytes written to standard output as a stream, byte for byte (never through a text
// mode that would change line ends).

#include <vector>

#include "grid/AtomicFileWriter.h"
#include "grid/Status.h"

// Writes the blocks in order. The message of a failure is the system's reason alone ("Broken
// pipe"); *anyWritten says whether some bytes went out before it.
Status WriteToStandardOutput(const std::vector<FileBlock>& blocks, bool* anyWritten);
