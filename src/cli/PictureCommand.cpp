// mvgtool picture: one property of a grid file, or a text grid read with a chosen X size, drawn
// as a PNG, so a wrong X size or unit shows at a glance before or after converting.

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/GridInput.h"
#include "cli/Mvgtool.h"
#include "cli/ProgressLine.h"
#include "cli/XSizeOption.h"
#include "grid/AtomicFileWriter.h"
#include "grid/GridPropertyReader.h"
#include "grid/GridSizes.h"
#include "grid/NumberText.h"
#include "grid/TextGridReader.h"
#include "picture/GridPicture.h"

const CommandHelp kPictureHelp = {
    "picture", "mvgtool picture INPUT [--property P|Q|R] [--nx N] [-o OUTPUT.png]",
    "Draws one property of a grid file, or a text grid, as a PNG picture: X to the right and Z\n"
    "(rows) downwards in the viridis colour map (dark violet low, yellow high), a colour bar\n"
    "with the minimum, maximum and unit beside it, and a title line with the file name, the\n"
    "property and nx x nz. Grids narrower than 600 nodes are enlarged by whole pixels; grids\n"
    "longer than 2000 nodes on a side are reduced by averaging square blocks of nodes.\n"
    "\n"
    "  --property P|Q|R     the property of a grid file: P Vp, Q density, R Vs\n"
    "                       (default: P, else the file's first)\n"
    "  --nx N               X size of a text grid (values per row), one of the X sizes that\n"
    "                       \"mvgtool sizes\" lists; default: the one it marks\n"
    "  -o, --output OUTPUT  the PNG file to write; default: beside INPUT, a text grid's name\n"
    "                       with .png (vp.txt -> vp.png), a grid file's name with the property\n"
    "                       (model.mvg -> model-P.png)\n"
    "\n"
    "INPUT is a grid file when its name ends in .mvg or it starts as one; anything else is read\n"
    "as a text grid (gzip-compressed or not) and shown in the units the file holds. INPUT \"-\"\n"
    "reads a text grid from standard input; its picture needs -o.\n"};

namespace {

const std::vector<OptionRule> kOptions = {
    {"property", 0, true},
    {"nx", 0, true},
    {"output", 'o', true},
    {"help", 'h', false},
};

// The grid to draw, whichever kind of file it came from.
struct PictureSource {
  GridPropertyValues gridFile;
  TextGridRead textGrid;
  const float* values = nullptr;
  std::int32_t nx = 0, nz = 0;
  std::string title, unit, defaultOutput;
};

std::string SizeText(std::int32_t nx, std::int32_t nz) {
  return std::to_string(nx) + " x " + std::to_string(nz);
}

// Returns the refusal line, "" when read.
std::string ReadGridFileSource(const std::string& path, char code, PictureSource& source) {
  source.gridFile = ReadGridProperty(path, code);
  const GridPropertyValues& read = source.gridFile;
  if (!read.ok()) return read.status.message();
  source.values = read.values.get();
  source.nx = read.header.nx;
  source.nz = read.header.nz;
  source.title = FileNameOf(path) + ": " + read.code + " (" + GridPropertyName(read.code) + "), " +
                 SizeText(source.nx, source.nz);
  source.unit = GridPropertyUnit(read.code);
  source.defaultOutput = ReplaceExtension(path, std::string("-") + read.code + ".png");
  return {};
}

// Reads the text grid as the conversion does and shapes it with the X size given or proposed.
// Returns the refusal line, "" when read.
std::string ReadTextGridSource(const std::string& path, bool hasNx, std::int32_t nx,
                               const CommandContext& context, PictureSource& source) {
  ProgressLine progress(context.err, context.showProgress);
  const bool standardInput = path == kStandardInput;
  const std::string name = standardInput ? "standard input" : path;
  source.textGrid = ReadTextGrid(path, name, progress.For("Reading " + path));
  progress.Clear();
  const TextGridRead& read = source.textGrid;
  if (!read.ok()) return read.status.message();
  const std::uint32_t count = read.summary.count;
  const XSizeChoice x = ChooseXSize(count, read.lines, name, hasNx, nx);
  if (!x.problem.empty()) return x.problem;
  source.values = read.values.data();
  source.nx = x.nx;
  source.nz = static_cast<std::int32_t>(count / static_cast<std::uint32_t>(source.nx));
  source.title = (standardInput ? name : FileNameOf(path)) + ": " + SizeText(source.nx, source.nz);
  source.unit = "file's units";
  source.defaultOutput = ReplaceExtension(WithoutGzipEnding(path), ".png");
  return {};
}

std::string ScaleText(const PictureScale& scale) {
  if (scale.block > 1) {
    return "averaged over blocks of " + SizeText(scale.block, scale.block) + " nodes";
  }
  if (scale.enlarge > 1) return "at " + SizeText(scale.enlarge, scale.enlarge) + " pixels a node";
  return "at a pixel a node";
}

}  // namespace

int RunPictureCommand(const std::vector<std::string>& args, const CommandContext& context) {
  const ParsedCommandLine line = ParseCommandLine(args, kOptions);
  if (!line.ok()) return UsageError(context.err, kPictureHelp, line.problem);
  if (line.Has("help")) return ShowHelp(context.out, kPictureHelp);
  if (line.operands.empty()) return UsageError(context.err, kPictureHelp, "no input given");
  if (line.operands.size() > 1) {
    return UsageError(context.err, kPictureHelp,
                      "unexpected argument \"" + line.operands[1] + "\"");
  }
  char code = 0;
  std::string problem = TakePropertyOption(line, code);
  std::int32_t nx = 0;
  if (problem.empty() && line.Has("nx") && !ReadInt32(line.Value("nx"), &nx)) {
    problem = "--nx needs a whole number, not \"" + line.Value("nx") + "\"";
  }
  const std::string& input = line.operands[0];
  const bool gridFile = input != kStandardInput && LooksLikeGridFile(input);
  if (problem.empty() && input == kStandardInput && !line.Has("output")) {
    problem = "a picture of standard input needs -o OUTPUT.png";
  }
  if (problem.empty() && gridFile && line.Has("nx")) {
    problem = "--nx is for text grids; the grid file " + input + " holds its own sizes";
  }
  if (problem.empty() && !gridFile && code != 0) {
    problem = "--property is for grid files; the text grid " + input + " holds one property";
  }
  if (!problem.empty()) return UsageError(context.err, kPictureHelp, problem);

  PictureSource source;
  const std::string refusal = gridFile
                                  ? ReadGridFileSource(input, code, source)
                                  : ReadTextGridSource(input, line.Has("nx"), nx, context, source);
  if (!refusal.empty()) return Refuse(context.err, refusal);
  const std::string output = line.Has("output") ? line.Value("output") : source.defaultOutput;
  if (output == input) {
    return Refuse(context.err, "Cannot write the picture " + output +
                                   ": it would replace its own input; give another -o.");
  }

  GridPictureRequest request;
  request.values = source.values;
  request.nx = source.nx;
  request.nz = source.nz;
  request.title = source.title;
  request.unit = source.unit;
  const GridPicture picture = DrawGridPicture(request);
  if (!picture.ok()) return Refuse(context.err, picture.status.message());
  const Status written = WriteFileAtomically(output, {{picture.png.data(), picture.png.size()}});
  if (!written.ok()) {
    return Refuse(context.err, "Cannot write the picture " + output + ": " + written.message() +
                                   ". Nothing was written.");
  }
  context.out << "Wrote " << output << ": " << SizeText(picture.width, picture.height)
              << " pixels, the " << SizeText(source.nx, source.nz) << " grid "
              << ScaleText(picture.scale) << '\n';
  return kExitSuccess;
}
