// mvgtool totext: one property of a grid file back as a text grid, for the tools that read only
// text. Each value is written as the shortest decimal that reads back as the same float, so text
// converted, written back and converted again gives the same grid file, byte for byte.

#include <charconv>
#include <cstdint>
#include <new>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/GridInput.h"
#include "cli/Mvgtool.h"
#include "grid/AtomicFileWriter.h"
#include "grid/GridPropertyReader.h"

const CommandHelp kTotextHelp = {
    "totext", "mvgtool totext INPUT.mvg [--property P|Q|R] [-o OUTPUT.txt]",
    "Writes one property of a grid file as a text grid: nz lines of nx values separated by\n"
    "single spaces, rows in the file's order, each value the shortest decimal that reads back\n"
    "as the same 32-bit float, so \"mvgtool convert\" makes the same values from it again. The\n"
    "values are as the file holds them: Vp and Vs in m/s, density in kg/m3.\n"
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

// The text in pieces of about 8 MiB, each written as one block, so a large grid's text is never
// copied into a bigger buffer as it grows. False when there is not enough memory.
bool FormatRows(const GridPropertyValues& grid, std::vector<std::string>& pieces) {
  constexpr std::size_t kPieceSize = std::size_t{8} << 20;
  constexpr std::size_t kLongestValue = 16;  // "-1.17549435e-38" and its separator
  const std::size_t nx = static_cast<std::size_t>(grid.header.nx);
  try {
    char* at = nullptr;
    char* end = nullptr;
    for (std::size_t i = 0; i < grid.count; ++i) {
      if (static_cast<std::size_t>(end - at) < kLongestValue) {
        if (!pieces.empty()) pieces.back().resize(at - pieces.back().data());
        std::string& piece = pieces.emplace_back(kPieceSize, '\0');
        at = piece.data();
        end = at + piece.size();
      }
      at = std::to_chars(at, end, grid.values[i]).ptr;
      *at++ = (i + 1) % nx == 0 ? '\n' : ' ';
    }
    if (!pieces.empty()) pieces.back().resize(at - pieces.back().data());
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace

int RunTotextCommand(const std::vector<std::string>& args, const CommandContext& context) {
  const ParsedCommandLine line = ParseCommandLine(args, kOptions);
  if (!line.ok()) return UsageError(context.err, kTotextHelp, line.problem);
  if (line.Has("help")) return ShowHelp(context.out, kTotextHelp);
  if (line.operands.empty()) return UsageError(context.err, kTotextHelp, "no input given");
  if (line.operands.size() > 1) {
    return UsageError(context.err, kTotextHelp, "unexpected argument \"" + line.operands[1] + "\"");
  }
  char code = 0;
  const std::string problem = TakePropertyOption(line, code);
  if (!problem.empty()) return UsageError(context.err, kTotextHelp, problem);

  const std::string& input = line.operands[0];
  const GridPropertyValues grid = ReadGridProperty(input, code);
  if (!grid.ok()) return Refuse(context.err, grid.status.message());
  const std::string output = line.Has("output")
                                 ? line.Value("output")
                                 : ReplaceExtension(input, std::string("-") + grid.code + ".txt");
  if (output == input) {
    return Refuse(context.err, "Cannot write the text grid " + output +
                                   ": it would replace its own input; give another -o.");
  }
  std::vector<std::string> pieces;
  if (!FormatRows(grid, pieces)) {
    return Refuse(context.err, "Not enough memory to write the text grid " + output + ".");
  }
  std::vector<FileBlock> blocks;
  std::uint64_t bytes = 0;
  for (const std::string& piece : pieces) {
    blocks.push_back({piece.data(), piece.size()});
    bytes += piece.size();
  }
  const Status written = WriteFileAtomically(output, blocks);
  if (!written.ok()) {
    return Refuse(context.err, "Cannot write the text grid " + output + ": " + written.message() +
                                   ". Nothing was written.");
  }
  context.out << "Wrote " << output << ": " << grid.header.nz << " lines of " << grid.header.nx
              << " values, " << grid.code << " (" << GridPropertyName(grid.code) << ") in "
              << GridPropertyUnit(grid.code) << ", " << bytes << " bytes\n";
  return kExitSuccess;
}
