#pragma once
// numpy's .npy arrays (format versions 1 to 3): the magic string, the header's Python dictionary
// ('descr', 'fortran_order', 'shape'), then the values. Floats (<f4, >f4, <f8, >f8) and integers
// of 1 to 8 bytes are read. A 2-D shape (a, b) is a rows of b values, as an image, the first
// index down, and so proves the grid's sizes; an array in fortran_order holds it column by
// column. Read column by column (the order choice), the first index is X: b rows of a values.
// Messages, after the input's name:
//   "holds a 3-D array, shape (2, 174, 500); a model is a 2-D array"
//   "holds values of type '<c8', not floats or integers"
//   "its .npy header cannot be read: no 'shape'"
//   "its array is cut short: 86000 of its 87000 values"
//   "more bytes follow its array"
//   "element [2, 234]: 1e+39 is beyond the range of 32-bit floats"

#include <string>
#include <string_view>

#include "textgrid/ByteStream.h"
#include "textgrid/TextGridReader.h"

// Whether bytes start as an .npy file does.
bool StartsAsNpy(std::string_view head);

TextGridRead ReadNpyGrid(PeekableStream& input, const std::string& name, bool keepValues,
                         const ReadProgress& progress, const TextReadingChoices& choices,
                         const FinalValues& final);
