#pragma once
// How much a file written to a path may take: the room left where it goes.

#include <cstdint>
#include <string>

// The bytes free to this user in the folder of the file path names (its links followed, see
// OutputTarget.h); false when the system does not tell.
bool FreeBytesWhere(const std::string& path, std::uint64_t* bytes);
