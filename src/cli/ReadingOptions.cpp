#include "cli/ReadingOptions.h"

const char kReadingOptionsHelp[] =
    "  --order rows|columns   how the file holds the grid: rows along X, the first row the\n"
    "                         top (default), or columns, one vertical profile after another\n"
    "                         with depth varying fastest (as Fortran programs write them)\n"
    "  --decimal-comma        every comma is a decimal mark (1500,5); by default commas are\n"
    "                         told from the text: between values (1500.5,1600.25), decimal\n"
    "                         with semicolons between values (1500,5;1600,25) or between\n"
    "                         blanks (1500,5 1600,25) where nothing else fits\n"
    "  --coordinates km|m     the unit of the coordinates a file states (an ESRI grid's\n"
    "                         cellsize, a Surfer grid's x and y, triplets' x and z): m by\n"
    "                         default; km reads them in km\n";

const char kFlipOptionHelp[] =
    "  --flip-z               the rows come from the bottom up (the first row the deepest); a\n"
    "                         Surfer grid's y or triplets' z read as depth is read as\n"
    "                         elevation, and the other way round\n";

std::vector<OptionRule> ReadingOptionRules(bool withFlip) {
  std::vector<OptionRule> rules = {
      {"order", 0, true}, {"decimal-comma", 0, false}, {"coordinates", 0, true}};
  if (withFlip) rules.push_back({"flip-z", 0, false});
  return rules;
}

Status TakeReadingOptions(const ParsedCommandLine& line, TextReadingChoices& choices) {
  choices.decimalComma = line.Has("decimal-comma");
  choices.flipZ = line.Has("flip-z");
  if (line.Has("coordinates")) {
    const std::string& unit = line.Value("coordinates");
    if (unit != "km" && unit != "m") {
      return Status::Error("--coordinates must be km or m, not \"" + unit + "\"");
    }
    choices.coordinatesInKm = unit == "km";
  }
  if (!line.Has("order")) return Status();
  const std::string& order = line.Value("order");
  if (order == "rows" || order == "columns") {
    choices.order = order == "rows" ? ValueOrder::kRows : ValueOrder::kColumns;
    return Status();
  }
  return Status::Error("--order must be rows or columns, not \"" + order + "\"");
}

std::string WithCommaOption(const std::string& message, bool commasUndecided) {
  return commasUndecided ? message + "; --decimal-comma reads commas as decimal marks" : message;
}
