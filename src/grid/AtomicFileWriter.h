#pragma once
// Replaces a file's contents as one step: the bytes go to a new temporary file in the same folder,
// which is flushed to disk and then takes the file's name. A failure at any point removes the
// temporary and leaves an existing file of that name as it was.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "grid/Status.h"

struct FileBlock {
  const void* data = nullptr;
  std::size_t size = 0;
};

// Writes the blocks in order, each with one write call (very large blocks excepted where the system
// caps a single write). The path is used as given; its folder must exist. An existing file that is
// a folder or that the user may not write is refused before anything is written.
// The message of a failure is the system's reason alone ("No space left on device"), for the
// caller to say which file it was.
Status WriteFileAtomically(const std::string& path, const std::vector<FileBlock>& blocks);

// The temporary's name for an attempt: beside path, so that the final rename stays in one folder.
std::string TemporaryFileName(const std::string& path, std::uint64_t processId, int attempt);
