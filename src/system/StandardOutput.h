#pragma once
// A file's bytes written to standard output as a stream, byte for byte (never through a text
// mode that would change line ends).

#include <cstddef>

#include "grid/Status.h"

// Writes the bytes. The message of a failure is the system's reason alone ("Broken pipe");
// *anyWritten is set once some bytes went out.
Status WriteToStandardOutput(const void* data, std::size_t size, bool* anyWritten);
