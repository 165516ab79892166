#pragma once
// The array a text grid's values are loaded into: allocated once, at its exact size.

#include <cstdint>
#include <memory>

// count floats, uninitialised; null when there is no memory for them. A large array is backed by
// large pages where the system offers them: filling it then takes one page fault per 2 MiB
// instead of one per 4 KiB, which is most of the cost of its first touch.
std::unique_ptr<float[]> NewTextGridArray(std::uint32_t count);
