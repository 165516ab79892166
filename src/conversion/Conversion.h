#pragma once
// The conversion both front ends run: the request checked, its findings answered, its stability
// report measured, the model prepared and the grid file written. The dialog answers the findings
// with its Yes/No question, mvgtool with --force.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "conversion/ConversionRequest.h"
#include "conversion/StabilityReport.h"
#include "grid/Status.h"
#include "gridfile/GridFileHeader.h"

// How a front end answers what the checks find before anything is written.
struct FindingsAnswer {
  // Asked when there are findings, each one sentence in FindingsOf's order: true writes the grid
  // file despite them, false writes nothing. Unset: nothing is written.
  std::function<bool(const std::vector<std::string>& findings)> writeDespite;
  // Shown the stability report of the model to write (StabilityLines), after the findings: true
  // writes, false writes nothing. Unset: written. A model made beyond a window of the arrays
  // (rules, new steps, filled holes) is measured as its rows are made for the file: the question
  // then comes once the file is made, before it takes its name.
  std::function<bool(const StabilityReport& report)> writeWithReport;
  // Told just before the file is made, when the request passed its checks and its findings.
  std::function<void()> writing;
};

struct ConversionResult {
  // Why nothing was written: the request refused (CheckConversionRequest) or the export failed
  // (ExportGridFile), as the user reads it.
  Status status;
  RequestPart refused = RequestPart::kNone;  // the part of the request a refusal is about
  std::vector<std::string> findings;         // overridden when written, else why nothing was
  StabilityReport stability;                 // of the model written, once the findings passed
  std::vector<std::string> prepared;         // PreparationSummary, when written
  bool written = false;
  GridFileHeader header;    // of the file written
  std::uint64_t bytes = 0;  // its length
};

ConversionResult RunConversion(const ConversionRequest& request, const FindingsAnswer& answer);

// The stability report of the model a request (that passed its checks) writes: its velocities
// after every step but the border, which only repeats them, at the steps written. Taken from the
// window's values where they are the model's, else from the model made for the purpose.
StabilityReport StabilityOfRequest(const ConversionRequest& request);
