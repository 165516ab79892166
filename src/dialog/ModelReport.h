#pragma once
// What OK writes, shown in the dialog and kept current as the choices change: what is done to the
// model (PreparationSummary) and its stability report (StabilityLines), as mvgtool prints them
// after writing; while the choices cannot be written, why, as OK would refuse them:
//   "OK would refuse this: The X step must be greater than 0."

#include <string>
#include <vector>

#include "conversion/ConversionRequest.h"
#include "grid/Status.h"

// The lines for a request built from the fields as they show (`built`: why it could not be, if
// so). Its output is not looked at: only OK writes.
std::vector<std::string> ModelReportLines(const Status& built, const ConversionRequest& request);
