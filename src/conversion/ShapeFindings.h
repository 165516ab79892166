#pragma once
// Whether the grid has the shape its files show. A text grid's lines carry no meaning for its
// values, but they most often hold its rows, and an X size whose rows do not fit them shears the
// model; a grid far deeper than wide, or whose values change more along its rows than down its
// columns (a layered earth varies most with depth), most likely has its rows wrapped over lines
// or its file stored column by column. Each finding is one sentence naming the file as the front
// end names it, e.g.
//   "vp.txt: values change 4 times more along the rows than down the columns: is the file stored
//   column by column?"

#include <cstdint>
#include <string>

#include "conversion/ConversionRequest.h"
#include "textgrid/TextGridLines.h"

// "vp.txt holds 7 values, a number with no X size from 2 to half of it: no grid can be formed".
std::string NoGridMessage(const std::string& name, std::uint32_t count);

// When rows of nx values do not fit the lines of a file, or fit them two or more to a line
// (RowsOnEachLineFinding), with the X size its lines give:
//   "vp.txt: rows of 435 values do not fit its lines (174 lines of 500 values): is the X size
//   500?"
// or, when they give none, a value moved between two lines (MovedBreakFinding) or the first line
// that breaks their pattern:
//   "vp.txt: 99 lines of 500 values, then line 100 holds 499 values: no X size follows from these
//   lines; is a value missing or one too many on line 100?"
// "" when the rows fit.
// A file stored column by column (order) has columns of `nx` values on its lines, as
//   "vp.txt: columns of 170 values do not fit its lines (500 lines of 174 values): is the Z size
//   174?"
// unless its lines run on over the columns at a fixed count (LinesRunOnOverRows): they say
// nothing of them.
std::string LinesFinding(const std::string& name, const TextGridLines& lines, std::uint32_t count,
                         std::int32_t nx, ValueOrder order = ValueOrder::kRows);

// What a file's count and lines say as soon as it is read, before any X size is chosen: that no
// grid can be formed of its values, or that no X size follows from its lines (as above); "" when
// neither.
std::string FileShapeFinding(const std::string& name, const TextGridLines& lines,
                             std::uint32_t count, ValueOrder order = ValueOrder::kRows);

// "A grid of 10 x 8700 nodes is 870 times deeper than wide: are its rows wrapped over several
// lines, or is the file stored column by column?"; "" for a grid less than kDeepGridRatio times
// deeper than wide. Of a file the user said is stored column by column (columnsChosen: how the
// user said so, "--order columns"; empty: not said), the choice is what is asked about: "... times
// deeper than wide: is the file stored row by row, not column by column as --order columns reads
// it?"
std::string DeepGridFinding(std::int32_t nx, std::int32_t nz,
                            const std::string& columnsChosen = {});

// Of a file stored column by column: "A grid of 10875 x 8 nodes is 1359 times wider than deep:
// are its columns wrapped over several lines?"; "" for a grid less than kDeepGridRatio times
// wider than deep.
std::string WideGridFinding(std::int32_t nx, std::int32_t nz);

// When the values of an nx x nz grid change less than half as much down its columns as along its
// rows, neighbours with a no-data marker passed over (holdsMarkers: the values hold any):
//   "vp.txt: values change 4 times more along the rows than down the columns: is the file stored
//   column by column?"
// or, of a file read column by column as the user said (columnsChosen, as for DeepGridFinding):
//   "vp.txt: values change 4 times more along the rows than down the columns: is the file stored
//   row by row, not column by column as --order columns reads it?"
std::string ColumnByColumnFinding(const PropertyInput& input, std::int32_t nx, std::int32_t nz,
                                  bool holdsMarkers = true, const std::string& columnsChosen = {});
