// mvgtool convert: the dialog's conversion, with its choices given as options. It goes through
// the same core functions as the dialog, so the same choices write the same bytes.

#include <algorithm>
#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Mvgtool.h"
#include "cli/ProgressLine.h"
#include "grid/GridExport.h"
#include "grid/GridFileHeader.h"
#include "grid/GridFileReader.h"
#include "grid/GridSizes.h"
#include "grid/TextGridReader.h"

const CommandHelp kConvertHelp = {
    "convert", "mvgtool convert [--vp FILE] [--density FILE] [--vs FILE] [options] -o OUTPUT",
    "Converts up to three text grids, which must hold the same number of values, into one\n"
    "grid file. A text grid is a flat sequence of decimal numbers separated by spaces, tabs,\n"
    "commas or line ends, row after row; its lines carry no meaning.\n"
    "\n"
    "  --vp FILE              compressional velocity grid\n"
    "  --density FILE         density grid\n"
    "  --vs FILE              shear velocity grid\n"
    "  --vp-units UNITS       m/s (default) or ft/s\n"
    "  --vs-units UNITS       m/s (default) or ft/s\n"
    "  --density-units UNITS  kg/m3 (default), g/cm3 or lb/ft3\n"
    "  --nx N                 X size of the input grid (values per row), one of the X sizes\n"
    "                         that \"mvgtool sizes\" lists; default: the one it marks\n"
    "  --nx-write N           write the first N values of each row (default: all)\n"
    "  --nz-write N           write the first N rows (default: all)\n"
    "  --dx STEP              grid step along X (default 1)\n"
    "  --dz STEP              grid step along Z (default 1)\n"
    "  -o, --output OUTPUT    the grid file to write, named exactly as given; an existing\n"
    "                         file is replaced only when the new one is complete\n"
    "\n"
    "The file holds m/s and kg/m3 whatever the input units.\n"};

namespace {

const std::vector<OptionRule> kOptions = {
    {"vp", 0, true},
    {"density", 0, true},
    {"vs", 0, true},
    {"vp-units", 0, true},
    {"density-units", 0, true},
    {"vs-units", 0, true},
    {"nx", 0, true},
    {"nx-write", 0, true},
    {"nz-write", 0, true},
    {"dx", 0, true},
    {"dz", 0, true},
    {"output", 'o', true},
    {"help", 'h', false},
};

// One property: its options, and the index its units hold in the dialog's units list.
struct Property {
  const char* option;                  // "vp"
  const char* unitsOption;             // "vp-units"
  std::vector<const char*> unitNames;  // in the order of the dialog's list
  std::string path;
  int unitIndex = 0;
  TextGridValues grid;
};

struct Choices {
  bool hasNx = false, hasNxWrite = false, hasNzWrite = false;
  std::int32_t nx = 0, nxWrite = 0, nzWrite = 0;
  float dx = 1.0f, dz = 1.0f;
  std::string output;
};

std::string ListOf(const std::vector<const char*>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += i == 0 ? "" : (i + 1 == names.size() ? " or " : ", ");
    text += names[i];
  }
  return text;
}

std::string ListOf(const std::vector<std::int32_t>& sizes) {
  std::string text;
  for (std::int32_t size : sizes) text += (text.empty() ? "" : ", ") + std::to_string(size);
  return text;
}

// An optional whole-number option; returns a usage problem, "" when fine.
std::string TakeInteger(const ParsedCommandLine& line, const std::string& name, bool& given,
                        std::int32_t& value) {
  given = line.Has(name);
  if (!given || ParseInt32(line.Value(name), value)) return {};
  return "--" + name + " needs a whole number, not \"" + line.Value(name) + "\"";
}

// An optional step option, read as the dialog reads its step fields.
std::string TakeStep(const ParsedCommandLine& line, const std::string& name, float& step) {
  if (!line.Has(name) || ParseFloat32(line.Value(name), step)) return {};
  return "--" + name + " needs a number, not \"" + line.Value(name) + "\"";
}

// Takes the options into the properties and choices; returns a usage problem, "" when fine.
std::string TakeOptions(const ParsedCommandLine& line, std::array<Property, 3>& properties,
                        Choices& choices) {
  if (!line.operands.empty()) return "unexpected argument \"" + line.operands[0] + "\"";
  bool anyInput = false;
  for (Property& property : properties) {
    property.path = line.Value(property.option);
    anyInput = anyInput || !property.path.empty();
    if (!line.Has(property.unitsOption)) continue;
    if (property.path.empty()) {
      return std::string("--") + property.unitsOption + " is given without --" + property.option;
    }
    const std::string& units = line.Value(property.unitsOption);
    const auto found = std::find(property.unitNames.begin(), property.unitNames.end(), units);
    if (found == property.unitNames.end()) {
      return std::string("--") + property.unitsOption + " must be " + ListOf(property.unitNames) +
             ", not \"" + units + "\"";
    }
    property.unitIndex = static_cast<int>(found - property.unitNames.begin());
  }
  if (!anyInput) return "no input: give at least one of --vp, --density, --vs";

  for (const std::string& problem :
       {TakeInteger(line, "nx", choices.hasNx, choices.nx),
        TakeInteger(line, "nx-write", choices.hasNxWrite, choices.nxWrite),
        TakeInteger(line, "nz-write", choices.hasNzWrite, choices.nzWrite),
        TakeStep(line, "dx", choices.dx), TakeStep(line, "dz", choices.dz)}) {
    if (!problem.empty()) return problem;
  }
  if (!line.Has("output")) return "no output: give -o OUTPUT";
  choices.output = line.Value("output");
  return {};
}

// Reads one property as the dialog does: count and range first, then the values into one
// array of exactly that many. Returns the refusal line, "" when read.
std::string ReadProperty(Property& property, const Property* first, ProgressLine& progress) {
  const TextGridScan scan = ScanTextGrid(property.path, progress.For("Scanning " + property.path));
  progress.Clear();
  if (!scan.ok()) return scan.problem.OneLine();
  const std::uint32_t count = scan.summary.count;
  if (first != nullptr && count != first->grid.count) {
    return property.path + " holds " + std::to_string(count) + " values but " + first->path +
           " holds " + std::to_string(first->grid.count) +
           ": all input files must hold the same number of values";
  }
  property.grid = LoadTextGridValues(property.path, scan, progress.For("Loading " + property.path));
  progress.Clear();
  if (!property.grid.ok()) return property.grid.problem.OneLine();
  return {};
}

struct GridShape {
  std::int32_t nxInput = 0, nzInput = 0, nxWrite = 0, nzWrite = 0;
};

// The X size and the window, as the dialog derives and checks them; returns the refusal line.
std::string ShapeGrid(const Choices& choices, std::uint32_t count, const std::string& firstPath,
                      GridShape& shape) {
  const std::vector<std::int32_t> sizes = XSizeChoices(count);
  const int proposal = ProposedXSizeIndex(sizes, count);
  if (sizes.empty() || proposal < 0) {
    return firstPath + " holds " + std::to_string(count) +
           " values, a number with no X size from 2 to half of it: no grid can be formed";
  }
  shape.nxInput = sizes[proposal];
  if (choices.hasNx) {
    if (std::find(sizes.begin(), sizes.end(), choices.nx) == sizes.end()) {
      return "--nx " + std::to_string(choices.nx) + " is not an X size of " +
             std::to_string(count) + " values; choose one of " + ListOf(sizes);
    }
    shape.nxInput = choices.nx;
  }
  shape.nzInput = static_cast<std::int32_t>(count / static_cast<std::uint32_t>(shape.nxInput));
  shape.nxWrite = choices.hasNxWrite ? choices.nxWrite : shape.nxInput;
  shape.nzWrite = choices.hasNzWrite ? choices.nzWrite : shape.nzInput;
  const SizeCheck nxCheck = CheckNxWrite(shape.nxWrite, shape.nxInput);
  if (!nxCheck.ok) return "--nx-write: " + nxCheck.message;
  const SizeCheck nzCheck = CheckNzWrite(shape.nzWrite, shape.nzInput, count, shape.nxInput);
  if (!nzCheck.ok) return "--nz-write: " + nzCheck.message;
  return {};
}

}  // namespace

int RunConvertCommand(const std::vector<std::string>& args, const CommandContext& context) {
  const ParsedCommandLine line = ParseCommandLine(args, kOptions);
  if (!line.ok()) return UsageError(context.err, kConvertHelp, line.problem);
  if (line.Has("help")) return ShowHelp(context.out, kConvertHelp);

  std::array<Property, 3> properties = {{
      {"vp", "vp-units", {"m/s", "ft/s"}, {}, 0, {}},
      {"density", "density-units", {"kg/m3", "g/cm3", "lb/ft3"}, {}, 0, {}},
      {"vs", "vs-units", {"m/s", "ft/s"}, {}, 0, {}},
  }};
  Property& vp = properties[0];
  Property& density = properties[1];
  Property& vs = properties[2];
  Choices choices;
  const std::string problem = TakeOptions(line, properties, choices);
  if (!problem.empty()) return UsageError(context.err, kConvertHelp, problem);
  if (choices.output.find('*') != std::string::npos) {
    return Refuse(context.err, choices.output + ": a grid file name cannot hold \"*\"");
  }

  ProgressLine progress(context.err, context.showProgress);
  const Property* first = nullptr;
  for (Property& property : properties) {
    if (property.path.empty()) continue;
    const std::string refusal = ReadProperty(property, first, progress);
    if (!refusal.empty()) return Refuse(context.err, refusal);
    if (first == nullptr) first = &property;
  }
  const std::uint32_t elementCount = first->grid.count;

  GridShape shape;
  const std::string refusal = ShapeGrid(choices, elementCount, first->path, shape);
  if (!refusal.empty()) return Refuse(context.err, refusal);

  const bool vpLoaded = !vp.path.empty(), densityLoaded = !density.path.empty(),
             vsLoaded = !vs.path.empty();
  const std::string requestProblem =
      CheckExportRequest(vpLoaded, densityLoaded, vsLoaded, choices.output,
                         static_cast<std::int32_t>(elementCount), elementCount);
  if (!requestProblem.empty()) return Refuse(context.err, requestProblem);

  ExportSource source;
  source.vpValues = vp.grid.values.get();
  source.densityValues = density.grid.values.get();
  source.vsValues = vs.grid.values.get();
  source.elementCount = elementCount;
  source.nxInput = shape.nxInput;
  source.nxWrite = shape.nxWrite;
  source.nzWrite = shape.nzWrite;
  source.xStep = choices.dx;
  source.zStep = choices.dz;
  source.vpUnitIndex = vp.unitIndex;
  source.densityUnitIndex = density.unitIndex;
  source.vsUnitIndex = vs.unitIndex;
  const ExportResult result = ExportGridFile(source, choices.output);
  if (!result.ok) return Refuse(context.err, result.message);

  const GridFileHeader header = MakeGridFileHeader(shape.nxWrite, shape.nzWrite, choices.dx,
                                                   choices.dz, vpLoaded, densityLoaded, vsLoaded);
  context.out << "Wrote " << choices.output << ": nx " << shape.nxWrite << ", nz " << shape.nzWrite
              << ", properties " << header.propertyCodes << ", "
              << kGridFileHeaderSize + GridFileDataSize(header) << " bytes";
  if (shape.nxWrite != shape.nxInput || shape.nzWrite != shape.nzInput) {
    context.out << " (the first rows and columns of the " << shape.nxInput << " x " << shape.nzInput
                << " input grid)";
  }
  context.out << '\n';
  return kExitSuccess;
}
