// mvgtool info: what a grid file holds, read back through the grid file reader.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Mvgtool.h"
#include "conversion/StabilityReport.h"
#include "grid/GridProperties.h"
#include "grid/NumberText.h"
#include "gridfile/GridFileHeader.h"
#include "gridfile/GridFileReader.h"

const CommandHelp kInfoHelp = {
    "info", "mvgtool info FILE.mvg...",
    "For each grid file: its sizes (nx, nz), steps (dx, dz), extents, property codes (P Vp,\n"
    "Q density, R Vs), each property's minimum and maximum, and its stability report for\n"
    "finite-difference modelling: the slowest velocity Vmin (the smallest Vs above 0, else the\n"
    "smallest Vp), the fastest Vmax (the largest Vp), the highest frequency with 5 and with 10\n"
    "nodes a shortest wavelength, f = Vmin / (N x the larger step), and the largest time step\n"
    "of a second-order 2-D scheme, dt <= h / (Vmax x sqrt 2), and of a fourth-order staggered\n"
    "one, dt <= 0.606 x h / Vmax, h the smaller step. A file that is not a grid file, or whose\n"
    "length does not match its header, is refused.\n"};

namespace {

// "1 value at or above 1.70141e38 (a no-data marker?) at row 2, column 3"; "2 NaN, the first at
// row 1, column 1"; "" for none.
std::string OddPhrase(const OddValues& odd, const char* one, const char* many, std::int32_t nx) {
  if (odd.count == 0) return {};
  const std::uint64_t width = static_cast<std::uint64_t>(nx > 0 ? nx : 1);
  const std::string place = "row " + std::to_string(odd.firstNode / width + 1) + ", column " +
                            std::to_string(odd.firstNode % width + 1);
  return std::to_string(odd.count) + " " +
         (odd.count == 1 ? std::string(one) + " at " : std::string(many) + ", the first at ") +
         place;
}

// "P holds 1 value at or above 1.70141e38 (a no-data marker?) at row 2, column 3, and 1 NaN at
// row 3, column 1": the values no velocity or density is; "" when it holds none.
std::string OddValuesLine(const PropertyRange& range, std::int32_t nx) {
  std::vector<std::string> phrases;
  for (const std::string& phrase :
       {OddPhrase(range.blanks, "value at or above 1.70141e38 (a no-data marker?)",
                  "values at or above 1.70141e38 (no-data markers?)", nx),
        OddPhrase(range.infinities, "infinity", "infinities", nx),
        OddPhrase(range.notANumbers, "NaN", "NaN", nx)}) {
    if (!phrase.empty()) phrases.push_back(phrase);
  }
  if (phrases.empty()) return {};
  std::string line = std::string(1, range.code) + " holds ";
  for (std::size_t i = 0; i < phrases.size(); ++i) {
    line += (i == 0 ? "" : i + 1 == phrases.size() ? ", and " : ", ") + phrases[i];
  }
  return line;
}

void ShowInfo(std::ostream& out, const std::string& path, const GridFileInfo& info) {
  const GridFileHeader& header = info.header;
  out << path << ": grid file, " << kGridFileHeaderSize + GridFileDataSize(header) << " bytes\n"
      << "  nx " << header.nx << ", nz " << header.nz << '\n'
      << "  dx " << FormatShortest(header.dx) << ", dz " << FormatShortest(header.dz) << '\n'
      << "  x extent " << FormatShortest(header.xExtent) << ", z extent "
      << FormatShortest(header.zExtent) << '\n'
      << "  properties " << header.propertyCodes << '\n';
  for (const PropertyRange& range : info.ranges) {
    const GridProperty& property = *PropertyWithCode(range.code);
    out << "  " << range.code << " (" << property.name << ", " << property.unit << "): ";
    // NaN values are passed over: a property of them alone has no range.
    if (range.minimum > range.maximum) {
      out << "no numbers, only NaN\n";
    } else {
      out << "minimum " << FormatShortest(range.minimum) << ", maximum "
          << FormatShortest(range.maximum) << '\n';
    }
  }
  if (info.ranges.empty()) out << "  no values\n";
  for (const PropertyRange& range : info.ranges) {
    const std::string odd = OddValuesLine(range, header.nx);
    if (!odd.empty()) out << "  " << odd << '\n';
  }
  const std::vector<std::string> stability =
      StabilityLines(StabilityOfGridFile(header, info.ranges));
  for (std::size_t i = 0; i < stability.size(); ++i) {
    out << (i == 0 ? "  " : "    ") << stability[i] << '\n';
  }
}

}  // namespace

int RunInfoCommand(const std::vector<std::string>& args, const CommandContext& context) {
  const ParsedCommandLine line = ParseCommandLine(args, {{"help", 'h', false}});
  if (!line.ok()) return UsageError(context.err, kInfoHelp, line.status.message());
  if (line.Has("help")) return ShowHelp(context.out, kInfoHelp);
  if (line.operands.empty()) return UsageError(context.err, kInfoHelp, "no file given");

  int status = kExitSuccess;
  for (const std::string& path : line.operands) {
    const GridFileInfo info = ReadGridFile(path);
    if (info.ok()) {
      ShowInfo(context.out, path, info);
    } else {
      status = Refuse(context.err, info.status.message());
    }
  }
  return status;
}
