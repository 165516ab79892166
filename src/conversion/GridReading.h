#pragma once
// One grid, text or binary, read as a grid on its own, as every front end reads one to show or
// hand it on: its values in the grid's order for the X size given, stated or proposed, with what
// its form states and the findings about the grid itself (those of units and steps need a
// conversion).

#include <cstdint>
#include <string>
#include <vector>

#include "conversion/NamedChoices.h"
#include "grid/KnownFacts.h"
#include "grid/Status.h"
#include "textgrid/TextGridReader.h"

struct GridReadingChoices {
  TextReadingChoices reading;
  bool hasNx = false;
  std::int32_t nx = 0;
};

// The choices by name a grid is read with: the reading choices and nx.
std::vector<OptionRule> GridReadingOptionRules();
Status TakeGridReadingOptions(const NamedChoices& named, GridReadingChoices& choices);

struct GridReading {
  TextGridRead read;  // its values in the grid's order, rows along X from the top
  std::int32_t nx = 0, nz = 0;
  // "nx 500 from the lines (174 lines of 500 values)", "nx 500 from the ESRI ASCII grid header".
  std::string nxSaid;
  KnownFact xSizeKnown;               // given, stated, shown by the lines or guessed
  std::vector<std::string> findings;  // GridFindingsOf, when asked for
  Status status;
  bool ok() const { return status.ok(); }
};

// Refused with the reading's message (with the choice that decides about commas), or the X size
// chooser's; `named` names the choices in messages.
GridReading ReadGrid(const std::string& path, const std::string& name,
                     const GridReadingChoices& choices, const NamedChoices& named,
                     const ReadProgress& progress = {}, bool withFindings = true);
