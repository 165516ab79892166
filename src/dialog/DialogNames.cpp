#include "dialog/DialogNames.h"

namespace {

const char kXSize[] = "the \"X-Size in Input File\"";

}  // namespace

ChoiceNames DialogChoiceNames() {
  ChoiceNames names;
  names.xSize = kXSize;
  names.skipColumns = "\"Skip columns\" 1";
  names.skipRows = "\"Skip rows\" 1";
  names.coordinatesKm = "\"Coordinates in km\"";
  return names;
}

NamedChoices DialogReadingNames() {
  NamedChoices names;
  names.spellings = {{"raw", "\"Raw values\""}, {"nx", kXSize}};
  return names;
}
