#include "dialog/HelpText.h"

#include <iterator>

namespace {

const char* const kHelpLines[] = {
    "Utility for conversion of physical properties grid in txt (text) format into mvg (morvelan "
    "grid)",
    "Morvelan grid of physical properties then can be used for forward modeling in Morvelan "
    "modeling suite",
    "(see corresponding User Documentation)",
    "",
    "1. This utility allows to convert separated by space ( ), comma (,) or tab delimiters array "
    "(size",
    "    X by Z) of values of compression velocity, density and shear velocity;",
    "2. txt array must be arranged by strings of values along X axis (size X);",
    "3. User can enter only one array (usually array of values of compression velocities) or two "
    "arrays",
    "    (for example, compression velocities and densities) or all tree arrays",
    "4. Browse to each of corresponding txt array and indicate used units (be default are used "
    "metric units);",
    "    SEG-Y, Seismic Unix and .npy files are read too, raw floats once Raw values names their "
    "type;",
    "5. Browse to folder where you want to save resulting model grid in morvelan format (mvg) and "
    "enter its",
    "    name (for example Model_Imp);",
    "6. Enter number of values of the X string (size X) if necessary (if it differs one from "
    "pre-calculated);",
    "7. Enter step between values along X-axis (X step), and along Z-axis if it is different (Z "
    "step);",
    "8. To write a part of the grid, enter its X and Z sizes to write and its first node (X-From, "
    "Z-From,",
    "    numbered from 0). Density and Vs may come from Vp by a rule (From:) instead of a file;",
    "    Prepare the Model fills holes, writes at new steps and adds a border;",
    "9. Read what OK writes below the OK button (what is done to the model, its stability report),",
    "    then press OK: it asks only about what looks wrong (No writes nothing), else it writes at "
    "once.",
    "",
    "Troubleshooting",
    "",
    "1. If source grid contains significantly contrasting adjacent values, it may cause "
    "instability in forward",
    "    modeling calculations. In this case you can smooth it inside of the Morvelan package (see "
    "User Documentation",
    "    relating to Visualization Options and morvelan grid conversion).",
    "2. If source txt grid contains number of values, which cannot be presented as multiple of "
    "integer",
    "    values (X*Z), the program says so as the file is loaded, and writes nothing unless you "
    "agree.",
};

}  // namespace

std::string HelpText() {
  std::string text;
  for (size_t i = 0; i < std::size(kHelpLines); ++i) {
    if (i > 0) text += '\n';
    text += kHelpLines[i];
  }
  return text;
}

std::string WithCrLf(const std::string& text) {
  std::string result;
  result.reserve(text.size() + text.size() / 32);
  for (char c : text) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}
