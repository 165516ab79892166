// mvgtool picture: one property of a grid file, or a text grid read with a chosen X size, drawn
// as a PNG, so a wrong X size or unit shows at a glance before or after converting.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/GridInput.h"
#include "cli/Mvgtool.h"
#include "cli/ProgressLine.h"
#include "cli/ReadingOptions.h"
#include "conversion/ConversionRequest.h"
#include "conversion/GridReading.h"
#include "conversion/LoadedGrid.h"
#include "conversion/StepChoices.h"
#include "conversion/XSizeFindings.h"
#include "grid/NumberText.h"
#include "gridfile/GridPropertyReader.h"
#include "picture/GridPicture.h"
#include "system/AtomicFileWriter.h"
#include "system/OutputTarget.h"
#include "system/SameFile.h"
#include "textgrid/GridSizes.h"
#include "textgrid/TextGridReader.h"

const CommandHelp kPictureHelp = {
    "picture",
    "mvgtool picture INPUT [--property P|Q|R] [--nx N] [--dx STEP --dz STEP]\n"
    "                       [--order rows|columns] [--flip-z] [--decimal-comma]\n"
    "                       [--form FORM] [--skip-columns N] [--skip-rows N]\n"
    "                       [--coordinates km|m] [--raw TYPE [--skip-bytes N]]\n"
    "                       [--range MIN MAX | --clip P] [-o OUTPUT.png]",
    "Draws one property of a grid file, or a text grid, as a PNG picture: X to the right and Z\n"
    "(rows) downwards in the viridis colour map (dark violet low, yellow high), a colour bar\n"
    "with its ends and unit beside it, and a title line with the file name, the property,\n"
    "nx x nz and the steps.\n"
    "\n"
    "With steps (a grid file's, or --dx and --dz for a text grid) each node is drawn dx wide\n"
    "and dz tall, with the distance along the top and the depth down the left at round\n"
    "numbers, from the centre of the first node, in m (in km when the model is 10 km or more\n"
    "across or deep); without steps nodes are square and the axes number the columns and rows\n"
    "from 1. Small grids are enlarged to at least 600 pixels across, large ones reduced to at\n"
    "most 2000 pixels on a side: by whole pixels a node or by averaging whole blocks of nodes\n"
    "where the steps allow, otherwise by resampling, each pixel the mean of the nodes it\n"
    "covers. The line mvgtool prints says which.\n"
    "\n"
    "  --property P|Q|R     the property of a grid file: P Vp, Q density, R Vs\n"
    "                       (default: P, else the file's first)\n"
    "  --nx N               X size of a text grid (values per row), one of the X sizes that\n"
    "                       \"mvgtool sizes\" lists; default: the one it marks, or the one\n"
    "                       the file states (an ESRI or Surfer grid, x z value triplets, a\n"
    "                       matrix with axes); a guess is drawn, and said on stderr\n"
    "  --dx STEP, --dz STEP the steps of a text grid along X and Z, in m (both or neither,\n"
    "                       but for one the file states; default: those the file states)\n"
    "  --order rows|columns, --flip-z, --decimal-comma, --form FORM, --skip-columns N,\n"
    "  --skip-rows N, --coordinates km|m, --raw TYPE, --skip-bytes N\n"
    "                       how the input is read, as for \"mvgtool convert\"\n"
    "  --range MIN MAX      colours from MIN to MAX, in the file's units (m/s and kg/m3 for a\n"
    "                       grid file); values beyond take the colour of the nearer end, so\n"
    "                       that models can be compared on one scale\n"
    "  --clip P             colours from the P-th to the (100-P)-th percentile of the values\n"
    "                       (0 <= P < 50; --clip 2: the 2nd to the 98th), so that a little\n"
    "                       water does not squeeze the sediments' colours\n"
    "  -o, --output OUTPUT  the PNG file to write; default: beside INPUT, a text grid's name\n"
    "                       with .png (vp.txt -> vp.png), a grid file's name with the property\n"
    "                       (model.mvg -> model-P.png)\n"
    "\n"
    "By default the colours span the least to the greatest value; a colour bar's end labelled\n"
    "\">= MAX\" or \"<= MIN\" takes in values beyond it. NaN values are grey.\n"
    "\n"
    "INPUT is a grid file when its name ends in .mvg or it starts as one; anything else is read\n"
    "as \"mvgtool convert\" reads an input (a text grid, SEG-Y, Seismic Unix, numpy .npy, or raw\n"
    "values with --raw; gzip-compressed or not) and shown in the units the file holds. INPUT\n"
    "\"-\" reads one from standard input; its picture needs -o.\n"};

namespace {

std::vector<OptionRule> Options() {
  std::vector<OptionRule> options = {
      {"property", 0, true},    {"nx", 0, true},   {"dx", 0, true},       {"dz", 0, true},
      {"range", 0, true, true}, {"clip", 0, true}, {"output", 'o', true}, {"help", 'h', false},
  };
  for (const OptionRule& rule : ReadingOptionRules()) options.push_back(rule);
  return options;
}

// The grid to draw, whichever kind of file it came from.
struct PictureSource {
  GridPropertyValues gridFile;
  GridReading textGrid;
  const float* values = nullptr;
  std::int32_t nx = 0, nz = 0;
  float dx = 0, dz = 0;  // 0 when not known
  std::string title, unit, defaultOutput;
  std::string noSteps;  // why the steps are not known
};

Status ReadGridFileSource(const std::string& path, const GridProperty* wanted,
                          PictureSource& source) {
  source.gridFile = ReadGridProperty(path, wanted);
  const GridPropertyValues& read = source.gridFile;
  if (!read.ok()) return read.status;
  const GridProperty& property = *read.property;
  source.values = read.values.get();
  source.nx = read.header.nx;
  source.nz = read.header.nz;
  source.title = FileNameOf(path) + ": " + property.code + " (" + property.name + "), " +
                 GridSizeText(source.nx, source.nz);
  // Another program may have written steps no grid has; the picture is drawn without them.
  const float dx = read.header.dx, dz = read.header.dz;
  if (std::isfinite(dx) && std::isfinite(dz) && dx > 0 && dz > 0) {
    source.dx = dx;
    source.dz = dz;
    source.title += ", " + GridStepsText(dx, dz);
  } else {
    source.noSteps = "the file's steps are not both above 0";
  }
  source.unit = property.unit;
  source.defaultOutput = ReplaceExtension(path, std::string("-") + property.code + ".png");
  return Status();
}

// Reads the text or binary grid as the conversion does and shapes it with the X size given,
// stated or proposed; its steps are the options', those it states, or one of each.
Status ReadTextGridSource(const std::string& path, const GridReadingChoices& choices,
                          const ParsedCommandLine& line, const CommandContext& context,
                          PictureSource& source) {
  ProgressLine progress(context.err, context.showProgress);
  const bool standardInput = path == kStandardInput;
  const std::string name = standardInput ? "standard input" : path;
  source.textGrid =
      ReadGrid(path, name, choices, NamedChoices(), progress.For("Reading " + path), false);
  progress.Clear();
  GridReading& grid = source.textGrid;
  if (!grid.ok()) return grid.status;
  const TextGridForm& form = grid.read.form;
  // The picture is how a guess is checked: drawn, with what the conversion would refuse.
  if (grid.xSizeKnown.how == HowKnown::kGuessed) {
    ReportProblem(context.err, GuessedXSizeFinding(name, grid.read.lines, grid.read.summary.count,
                                                   grid.nx, "--nx"));
  }
  if (line.Has("dx") || line.Has("dz")) {
    const Status steps = CheckStepsAgainstForm(source.dx, source.dz, name, form, line);
    if (!steps.ok()) return steps;
    if (!line.Has("dx")) source.dx = form.dx;
    if (!line.Has("dz")) source.dz = form.dz;
  } else if (form.statesSteps) {
    source.dx = form.dx;
    source.dz = form.dz;
  }
  source.values = grid.read.values.data();
  source.nx = grid.nx;
  source.nz = grid.nz;
  source.title =
      (standardInput ? name : FileNameOf(path)) + ": " + GridSizeText(source.nx, source.nz);
  if (source.dx > 0) {
    source.title += ", " + GridStepsText(source.dx, source.dz);
  } else {
    source.noSteps = StatesDx(form) ? "no --dz" : "no --dx and --dz";
  }
  source.unit = "file's units";
  source.defaultOutput = ReplaceExtension(WithoutGzipEnding(path), ".png");
  return Status();
}

// How the nodes became pixels: "at 2 x 8 pixels a node", "averaged over blocks of 5 x 5 nodes",
// "at 2 pixels a node along X and 3 nodes a pixel along Z", "resampled to 3.05 m a pixel".
std::string ScaleText(const PictureScale& scale, float dx) {
  const AxisScale &x = scale.x, &z = scale.z;
  if (!scale.Whole()) {
    const double across = static_cast<double>(x.nodes) / x.pixels;
    return "resampled to " + FormatSignificant(static_cast<float>(across * (dx > 0 ? dx : 1)), 3) +
           (dx > 0 ? " m" : " nodes") + " a pixel";
  }
  const auto count = [](std::int64_t n) { return std::to_string(n); };
  if (x.nodes == 1 && z.nodes == 1) {
    if (x.pixels == 1 && z.pixels == 1) return "at a pixel a node";
    return "at " + count(x.pixels) + " x " + count(z.pixels) + " pixels a node";
  }
  if (x.pixels == 1 && z.pixels == 1) {
    return "averaged over blocks of " + count(x.nodes) + " x " + count(z.nodes) + " nodes";
  }
  const auto along = [&count](const AxisScale& axis, const char* name) {
    return axis.nodes == 1 ? count(axis.pixels) + " pixels a node along " + name
                           : count(axis.nodes) + " nodes a pixel along " + name;
  };
  return "at " + along(x, "X") + " and " + along(z, "Z");
}

// "2nd", "98th", "2.5th".
std::string Ordinal(double value) {
  const std::string number = FormatShortest(static_cast<float>(value));
  const long whole = std::lround(value);
  if (whole != value || (whole % 100 >= 11 && whole % 100 <= 13)) return number + "th";
  return number + (whole % 10 == 1 ? "st" : whole % 10 == 2 ? "nd" : whole % 10 == 3 ? "rd" : "th");
}

// --range and --clip into the colour choice; refused with the usage problem.
Status TakeColourOptions(const ParsedCommandLine& line, ColourChoice& colours) {
  if (line.Has("range") && line.Has("clip"))
    return Status::Error("give --range or --clip, not both");
  if (line.Has("range")) {
    for (const std::string& text : {line.Value("range"), line.Second("range")}) {
      float ignored = 0;
      if (!ReadFloat32(text, &ignored)) {
        return Status::Error("--range needs two numbers, not \"" + text + "\"");
      }
    }
    colours.kind = ColourChoice::Kind::kGiven;
    ReadFloat32(line.Value("range"), &colours.low);
    ReadFloat32(line.Second("range"), &colours.high);
    if (!(colours.low < colours.high)) {
      return Status::Error("--range needs MIN below MAX: " + FormatShortest(colours.low) +
                           " is not below " + FormatShortest(colours.high));
    }
  }
  if (line.Has("clip")) {
    float percent = 0;
    if (!ReadFloat32(line.Value("clip"), &percent)) {
      return Status::Error("--clip needs a number, not \"" + line.Value("clip") + "\"");
    }
    if (!(percent >= 0 && percent < 50)) {
      return Status::Error("--clip needs a percentage from 0 up to but not including 50, not " +
                           FormatShortest(percent));
    }
    colours.kind = ColourChoice::Kind::kClip;
    colours.percent = percent;
  }
  return Status();
}

// "; colours 1510 to 4480 m/s, the 2nd to 98th percentile", or "" for the whole range.
std::string ColoursText(const ColourChoice& choice, const GridPicture& picture,
                        const std::string& unit, bool gridFile) {
  if (choice.kind == ColourChoice::Kind::kWhole) return {};
  const std::string range = "; colours " + FormatShortest(picture.colours.minimum) + " to " +
                            FormatShortest(picture.colours.maximum) +
                            (gridFile ? " " + unit : " in the file's units");
  if (choice.kind == ColourChoice::Kind::kGiven) return range + ", from --range";
  return range + ", the " + Ordinal(choice.percent) + " to " + Ordinal(100 - choice.percent) +
         " percentile";
}

// Every option's value; refused with the usage problem.
Status TakeOptions(const ParsedCommandLine& line, bool gridFile, const GridProperty*& wanted,
                   GridReadingChoices& choices, PictureSource& source, ColourChoice& colours) {
  for (const Status& taken :
       {TakePropertyOption(line, wanted), TakeGridReadingOptions(line, choices),
        TakeNumber(line, "dx", source.dx), TakeNumber(line, "dz", source.dz),
        TakeColourOptions(line, colours)}) {
    if (!taken.ok()) return taken;
  }
  const std::string& input = line.operands[0];
  for (const OptionRule& option : ReadingOptionRules()) {
    if (gridFile && line.Has(std::string(option.name))) {
      return Status::Error(line.Named(std::string(option.name)) +
                           " is for text grids, not the grid file " + input);
    }
  }
  for (const char* option : {"nx", "dx", "dz"}) {
    if (gridFile && line.Has(option)) {
      return Status::Error(std::string("--") + option + " is for text grids; the grid file " +
                           input + " holds its own " + (option[0] == 'n' ? "sizes" : "steps"));
    }
  }
  if (!gridFile && wanted != nullptr) {
    return Status::Error("--property is for grid files; the text grid " + input +
                         " holds one property");
  }
  return Status();
}

}  // namespace

int RunPictureCommand(const std::vector<std::string>& args, const CommandContext& context) {
  const ParsedCommandLine line = ParseCommandLine(args, Options());
  if (!line.ok()) return UsageError(context.err, kPictureHelp, line.status.message());
  if (line.Has("help")) return ShowHelp(context.out, kPictureHelp);
  if (line.operands.empty()) return UsageError(context.err, kPictureHelp, "no input given");
  if (line.operands.size() > 1) {
    return UsageError(context.err, kPictureHelp,
                      "unexpected argument \"" + line.operands[1] + "\"");
  }
  const std::string& input = line.operands[0];
  const bool standardInput = input == kStandardInput;
  const bool gridFile = !standardInput && LooksLikeGridFile(input);
  const GridProperty* wanted = nullptr;
  GridReadingChoices choices;
  PictureSource source;
  GridPictureRequest request;
  const Status taken = TakeOptions(line, gridFile, wanted, choices, source, request.colours);
  if (!taken.ok()) return UsageError(context.err, kPictureHelp, taken.message());
  if (standardInput && !line.Has("output")) {
    return UsageError(context.err, kPictureHelp, "a picture of standard input needs -o OUTPUT.png");
  }
  // Checked as convert checks them.
  for (const auto& [option, part, step] : {std::tuple{"dx", RequestPart::kXStep, source.dx},
                                           std::tuple{"dz", RequestPart::kZStep, source.dz}}) {
    const Status checked = line.Has(option) ? CheckGridStep(part, step) : Status();
    if (!checked.ok()) {
      return Refuse(context.err, line.Named(option) + ": " + checked.message());
    }
  }

  const Status read = gridFile ? ReadGridFileSource(input, wanted, source)
                               : ReadTextGridSource(input, choices, line, context, source);
  if (!read.ok()) return Refuse(context.err, read.message());
  // One step given, the other the file's to state.
  if (!gridFile && line.Has("dx") != line.Has("dz")) {
    const Status known =
        CheckStepsKnown(line, standardInput ? "standard input" : input, source.textGrid.read.form);
    if (!known.ok()) return UsageError(context.err, kPictureHelp, known.message());
  }
  const std::string output = line.Has("output") ? line.Value("output") : source.defaultOutput;
  if (!standardInput && IsSameFile(output, input)) {
    return Refuse(context.err, "Cannot write the picture " + output +
                                   ": it would replace its own input; give another -o.");
  }
  const OutputTarget target = FindOutputTarget(output);
  if (target.terminal) {
    return Refuse(context.err, "-o " + output +
                                   ": will not write a PNG picture to a terminal; give a file or "
                                   "a pipe");
  }

  request.values = source.values;
  request.nx = source.nx;
  request.nz = source.nz;
  request.dx = source.dx;
  request.dz = source.dz;
  request.title = source.title;
  request.unit = source.unit;
  const GridPicture picture = DrawGridPicture(request);
  if (!picture.ok()) return Refuse(context.err, picture.status.message());
  const Status written = WriteFileAtomically(output, {{picture.png.data(), picture.png.size()}});
  if (!written.ok()) {
    return Refuse(context.err, "Cannot write the picture " + output + ": " + written.message() +
                                   "." + kNothingWritten);
  }
  // Standard output holds the picture itself: the summary goes with the messages.
  std::ostream& said = target.standardOutput ? context.err : context.out;
  said << "Wrote " << output << ": " << GridSizeText(picture.width, picture.height)
       << " pixels, the " << GridSizeText(source.nx, source.nz) << " grid "
       << ScaleText(picture.scale, source.dx) << " ("
       << (source.dx > 0 ? GridStepsText(source.dx, source.dz)
                         : source.noSteps + ": nodes drawn square")
       << ")" << ColoursText(request.colours, picture, source.unit, gridFile) << '\n';
  return kExitSuccess;
}
