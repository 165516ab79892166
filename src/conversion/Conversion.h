#pragma once
// The conversion both front ends run: the request checked, its findings answered, the grid file
// written. The dialog answers the findings with its Yes/No question, mvgtool with --force.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "conversion/ConversionRequest.h"
#include "grid/GridFileHeader.h"
#include "grid/Status.h"

// How a front end answers what the checks find before anything is written.
struct FindingsAnswer {
  // Asked when there are findings, each one sentence in FindingsOf's order: true writes the grid
  // file despite them, false writes nothing. Unset: nothing is written.
  std::function<bool(const std::vector<std::string>& findings)> writeDespite;
  // Told just before the file is written, when the request passed its checks and its findings.
  std::function<void()> writing;
};

struct ConversionResult {
  // Why nothing was written: the request refused (CheckConversionRequest) or the export failed
  // (ExportGridFile), as the user reads it.
  Status status;
  RequestPart refused = RequestPart::kNone;  // the part of the request a refusal is about
  std::vector<std::string> findings;         // overridden when written, else why nothing was
  bool written = false;
  GridFileHeader header;    // of the file written
  std::uint64_t bytes = 0;  // its length
};

ConversionResult RunConversion(const ConversionRequest& request, const FindingsAnswer& answer);
