#pragma once
// A canvas as the bytes of a PNG file, made in memory so that the file is written in one step.

#include <cstdint>
#include <vector>

#include "picture/Canvas.h"

// Empty when there is not enough memory to encode the picture.
std::vector<std::uint8_t> EncodePng(const Canvas& canvas);
