#include "cli/ReadingOptions.h"

#include <utility>

#include "grid/NumberText.h"

const char kReadingOptionsHelp[] =
    "  --order rows|columns   how the file holds the grid: rows along X, the first row the\n"
    "                         top (default), or columns, one vertical profile after another\n"
    "                         with depth varying fastest (as Fortran programs write them),\n"
    "                         whatever its line breaks\n"
    "  --decimal-comma        every comma is a decimal mark (1500,5); by default commas are\n"
    "                         told from the text: between values (1500.5,1600.25), decimal\n"
    "                         with semicolons between values (1500,5;1600,25) or between\n"
    "                         blanks (1500,5 1600,25) where nothing else fits\n"
    "  --form FORM            read the file in this form, not the one told from its text:\n"
    "                         plain, esri, surfer, triplets or matrix (a matrix with axes)\n"
    "  --skip-columns N       leave out the first N columns (values of each line) and\n"
    "  --skip-rows N          the first N rows (lines of values), as depths or x coordinates\n"
    "                         written beside the values; with --order columns, columns are\n"
    "                         the lines and rows the values of each line\n"
    "  --coordinates km|m     the unit of the coordinates a file states (an ESRI grid's\n"
    "                         cellsize, a Surfer grid's x and y, triplets' x and z, a\n"
    "                         matrix's axes): m by default; km reads them in km\n";

const char kFlipOptionHelp[] =
    "  --flip-z               the rows come from the bottom up (the first row the deepest); a\n"
    "                         Surfer grid's y or triplets' z read as depth is read as\n"
    "                         elevation, and the other way round\n";

const char* const kReadingOptionNames[7] = {
    "order", "decimal-comma", "form", "skip-columns", "skip-rows", "flip-z", "coordinates"};

namespace {

const std::pair<const char*, TextForm> kForms[] = {
    {"plain", TextForm::kPlain},       {"esri", TextForm::kEsri},     {"surfer", TextForm::kSurfer},
    {"triplets", TextForm::kTriplets}, {"matrix", TextForm::kMatrix},
};

Status TakeSkip(const ParsedCommandLine& line, const std::string& name, std::uint32_t& skip) {
  if (!line.Has(name)) return Status();
  std::int32_t value = 0;
  if (!ReadInt32(line.Value(name), &value) || value < 0) {
    return Status::Error("--" + name + " needs a whole number of 0 or more, not \"" +
                         line.Value(name) + "\"");
  }
  skip = static_cast<std::uint32_t>(value);
  return Status();
}

}  // namespace

std::vector<OptionRule> ReadingOptionRules(bool withFlip) {
  std::vector<OptionRule> rules = {{"order", 0, true},     {"decimal-comma", 0, false},
                                   {"form", 0, true},      {"skip-columns", 0, true},
                                   {"skip-rows", 0, true}, {"coordinates", 0, true}};
  if (withFlip) rules.push_back({"flip-z", 0, false});
  return rules;
}

Status TakeReadingOptions(const ParsedCommandLine& line, TextReadingChoices& choices) {
  choices.decimalComma = line.Has("decimal-comma");
  choices.flipZ = line.Has("flip-z");
  for (const Status& taken : {TakeSkip(line, "skip-columns", choices.skipColumns),
                              TakeSkip(line, "skip-rows", choices.skipRows)}) {
    if (!taken.ok()) return taken;
  }
  if (line.Has("coordinates")) {
    const std::string& unit = line.Value("coordinates");
    if (unit != "km" && unit != "m") {
      return Status::Error("--coordinates must be km or m, not \"" + unit + "\"");
    }
    choices.coordinatesInKm = unit == "km";
  }
  if (line.Has("form")) {
    const std::string& form = line.Value("form");
    for (const auto& [name, kind] : kForms) {
      if (form == name) choices.form = kind;
    }
    if (!choices.form) {
      return Status::Error("--form must be plain, esri, surfer, triplets or matrix, not \"" + form +
                           "\"");
    }
  }
  if (!line.Has("order")) return Status();
  const std::string& order = line.Value("order");
  if (order == "rows" || order == "columns") {
    choices.order = order == "rows" ? ValueOrder::kRows : ValueOrder::kColumns;
    return Status();
  }
  return Status::Error("--order must be rows or columns, not \"" + order + "\"");
}

std::string WithReadingOption(const std::string& message, bool commasUndecided, bool tripletsTold) {
  if (commasUndecided) return message + "; --decimal-comma reads commas as decimal marks";
  if (tripletsTold)
    return message + "; if it is a plain grid three values wide, --form plain reads it as one";
  return message;
}
