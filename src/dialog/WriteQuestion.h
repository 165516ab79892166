#pragma once
// OK's one question and the writing it guards: before the grid file is written, the user is asked
// once, with the findings (and where holes can be filled), what is done to the model and its
// stability report, each a paragraph; the wait cursor shows while the file is written.

#include <string>
#include <vector>

#include "conversion/Conversion.h"
#include "conversion/ConversionRequest.h"
#include "conversion/StabilityReport.h"

class DialogWindow;

// The question; empty when there is nothing to tell.
std::string WriteQuestion(const ConversionRequest& request,
                          const std::vector<std::string>& findings, const StabilityReport& report);

// Runs the conversion of a request, asking the question when there is one: Yes writes, No writes
// nothing.
ConversionResult WriteAfterAsking(DialogWindow& window, const ConversionRequest& request);
