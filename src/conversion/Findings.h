#pragma once
// Everything about a conversion request that most likely means a wrong model, for both front ends
// to show before anything is written: mvgtool refuses unless told to go on, the dialog asks.

#include <string>
#include <vector>

#include "conversion/ConversionRequest.h"

// The findings of a request that passed CheckConversionRequest, each one sentence, each listed
// once, in this order: text cut short by a Ctrl-Z, a guessed X size, rows that do not fit a file's
// lines, an X size other than a file states, a first column or row of coordinates, a vertical axis
// across 0 (depth or elevation?), a grid far deeper than wide (of a file stored column by column,
// wider than deep too), a file that looks stored column by column (or, read so, row by row),
// no-data markers (unless its holes are to be filled), values that do not fit their units (a value
// holes are filled with among them), slow nodes below the sea and the values rules make
// (RuleFindings.h), Vs above Vp, steps (and new steps) that look like another unit, steps a file
// states in km. Empty when there is nothing to say.
std::vector<std::string> FindingsOf(const ConversionRequest& request);

// The findings of the grid alone, whatever property its values hold: FindingsOf's but those of
// units, Vs above Vp and steps, for a front end that reads a grid without converting it.
std::vector<std::string> GridFindingsOf(const ConversionRequest& request);
