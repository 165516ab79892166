#pragma once
// How messages name what the user gives in the dialog: its fields and choices by their labels,
// where mvgtool names its options.

#include "conversion/ConversionRequest.h"
#include "conversion/NamedChoices.h"

// For the findings: "the \"X-Size in Input File\"", "\"Skip columns\" 1", ...
ChoiceNames DialogChoiceNames();

// For the refusals of a reading: "\"Raw values\" f32le" for --raw f32le, the "X-Size in Input
// File" for --nx.
NamedChoices DialogReadingNames();
