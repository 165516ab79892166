// mvgtool totext: one property of a grid file back as a text grid, for the tools that read only
// text. Each value is written as the shortest decimal that reads back as the same float, so text
// converted, written back and converted again gives the same grid file, byte for byte.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <memory>
#include <new>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/GridInput.h"
#include "cli/Mvgtool.h"
#include "gridfile/GridPropertyReader.h"
#include "system/AtomicFileWriter.h"
#include "system/OutputTarget.h"
#include "system/SameFile.h"

const CommandHelp kTotextHelp = {
    "totext", "mvgtool totext INPUT.mvg [--property P|Q|R] [-o OUTPUT.txt]",
    "Writes one property of a grid file as a text grid: nz lines of nx values separated by\n"
    "single spaces, rows in the file's order, each value the shortest decimal that reads back\n"
    "as the same 32-bit float, so \"mvgtool convert\" makes the same values from it again. The\n"
    "values are as the file holds them: Vp and Vs in m/s, density in kg/m3. A NaN or infinite\n"
    "value, which no text grid holds, is refused with its row and column.\n"
    "\n"
    "  --property P|Q|R     P Vp, Q density, R Vs (default: P, else the file's first)\n"
    "  -o, --output OUTPUT  the text file to write; default: beside INPUT, its name with the\n"
    "                       property (model.mvg -> model-P.txt); an existing file is replaced\n"
    "                       only when the new one is complete\n"};

namespace {

const std::vector<OptionRule> kOptions = {
    {"property", 0, true},
    {"output", 'o', true},
    {"help", 'h', false},
};

// The first value a text grid cannot hold (NaN or infinite), or count when there is none.
std::size_t FirstNonNumber(const GridPropertyValues& grid) {
  for (std::size_t i = 0; i < grid.count; ++i) {
    if (!std::isfinite(grid.values[i])) return i;
  }
  return grid.count;
}

// "m.mvg holds NaN at row 2, column 3 of P (Vp)": where a value is that no text grid holds.
std::string NonNumberPlace(const std::string& input, const GridPropertyValues& grid,
                           std::size_t index) {
  const std::size_t nx = static_cast<std::size_t>(grid.header.nx);
  const float value = grid.values[index];
  return input + " holds " +
         (std::isnan(value) ? "NaN"
          : value > 0       ? "inf"
                            : "-inf") +
         " at row " + std::to_string(index / nx + 1) + ", column " +
         std::to_string(index % nx + 1) + " of " + grid.property->code + " (" +
         grid.property->name + ")";
}

// The text written as it is formatted, a piece of 4 MiB at a time, so that a large grid's text is
// never held whole. Adds the bytes written to `bytes`.
Status WriteRows(const GridPropertyValues& grid, AtomicFileWriter& file, std::uint64_t& bytes) {
  constexpr std::size_t kPieceSize = std::size_t{4} << 20;
  constexpr std::size_t kLongestValue = 16;  // "-1.17549435e-38" and its separator
  std::unique_ptr<char[]> piece(new (std::nothrow) char[kPieceSize]);
  if (!piece) return Status::Error("not enough memory");
  const std::size_t nx = static_cast<std::size_t>(grid.header.nx);
  char* const end = piece.get() + kPieceSize;
  char* at = piece.get();
  Status status;
  for (std::size_t i = 0; i < grid.count && status.ok(); ++i) {
    at = std::to_chars(at, end, grid.values[i]).ptr;
    *at++ = (i + 1) % nx == 0 ? '\n' : ' ';
    if (static_cast<std::size_t>(end - at) < kLongestValue || i + 1 == grid.count) {
      status = file.Write(piece.get(), static_cast<std::size_t>(at - piece.get()));
      bytes += static_cast<std::uint64_t>(at - piece.get());
      at = piece.get();
    }
  }
  return status;
}

}  // namespace

int RunTotextCommand(const std::vector<std::string>& args, const CommandContext& context) {
  const ParsedCommandLine line = ParseCommandLine(args, kOptions);
  if (!line.ok()) return UsageError(context.err, kTotextHelp, line.status.message());
  if (line.Has("help")) return ShowHelp(context.out, kTotextHelp);
  if (line.operands.empty()) return UsageError(context.err, kTotextHelp, "no input given");
  if (line.operands.size() > 1) {
    return UsageError(context.err, kTotextHelp, "unexpected argument \"" + line.operands[1] + "\"");
  }
  const GridProperty* wanted = nullptr;
  const Status taken = TakePropertyOption(line, wanted);
  if (!taken.ok()) return UsageError(context.err, kTotextHelp, taken.message());

  const std::string& input = line.operands[0];
  const GridPropertyValues grid = ReadGridProperty(input, wanted);
  if (!grid.ok()) return Refuse(context.err, grid.status.message());
  const GridProperty& property = *grid.property;
  const std::string output =
      line.Has("output") ? line.Value("output")
                         : ReplaceExtension(input, std::string("-") + property.code + ".txt");
  if (IsSameFile(output, input)) {
    return Refuse(context.err, "Cannot write the text grid " + output +
                                   ": it would replace its own input; give another -o.");
  }
  const std::size_t nonNumber = FirstNonNumber(grid);
  if (nonNumber != grid.count) {
    return Refuse(context.err, "Cannot write the text grid " + output + ": " +
                                   NonNumberPlace(input, grid, nonNumber) +
                                   ", which a text grid cannot hold." + kNothingWritten);
  }
  AtomicFileWriter file;
  std::uint64_t bytes = 0;
  Status written = file.Begin(output);
  if (written.ok()) written = WriteRows(grid, file, bytes);
  if (written.ok()) written = file.Commit();
  if (!written.ok()) {
    return Refuse(context.err, "Cannot write the text grid " + output + ": " + written.message() +
                                   "." + kNothingWritten);
  }
  // Standard output holds the text grid itself: the summary goes with the messages.
  std::ostream& said = FindOutputTarget(output).standardOutput ? context.err : context.out;
  said << "Wrote " << output << ": " << grid.header.nz << " lines of " << grid.header.nx
       << " values, " << property.code << " (" << property.name << ") in " << property.unit << ", "
       << bytes << " bytes\n";
  return kExitSuccess;
}
