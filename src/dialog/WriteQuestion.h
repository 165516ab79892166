#pragma once
// OK's question and the writing it guards: when the checks find something that most likely makes
// a wrong model, the user is asked before the grid file is written, each finding a line (and where
// holes can be filled), No the default answer; with nothing found the file is written at once.
// The wait cursor shows while the file is written.

#include <string>
#include <vector>

#include "conversion/Conversion.h"
#include "conversion/ConversionRequest.h"

class DialogWindow;

// The question; empty when nothing was found.
std::string WriteQuestion(const ConversionRequest& request,
                          const std::vector<std::string>& findings);

// Runs the conversion of a request, asking the question when there is one: Yes writes, No (the
// default) writes nothing.
ConversionResult WriteAfterAsking(DialogWindow& window, const ConversionRequest& request);
