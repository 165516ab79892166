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
#include "cli/XSizeOption.h"
#include "conversion/ConversionRequest.h"
#include "conversion/Findings.h"
#include "conversion/PropertyLoad.h"
#include "conversion/Units.h"
#include "grid/GridFileHeader.h"
#include "grid/GridFileReader.h"
#include "grid/GridSizes.h"
#include "grid/NumberText.h"

const CommandHelp kConvertHelp = {
    "convert", "mvgtool convert [--vp FILE] [--density FILE] [--vs FILE] [options] -o OUTPUT",
    "Converts up to three text grids, which must hold the same number of values, into one\n"
    "grid file. A text grid is a flat sequence of decimal numbers separated by spaces, tabs,\n"
    "commas or line ends, row after row; its lines hold whole rows, or its rows are wrapped\n"
    "over whole lines. FILE may be gzip-compressed (told by its first bytes, not its name),\n"
    "and \"-\" reads one of them from standard input.\n"
    "\n"
    "  --vp FILE              compressional velocity grid\n"
    "  --density FILE         density grid\n"
    "  --vs FILE              shear velocity grid\n"
    "  --vp-units UNITS       m/s (default), ft/s or km/s\n"
    "  --vs-units UNITS       m/s (default), ft/s or km/s\n"
    "  --density-units UNITS  kg/m3 (default), g/cm3 (or g/cc) or lb/ft3\n"
    "  --nx N                 X size of the input grid (values per row), one of the X sizes\n"
    "                         that \"mvgtool sizes\" lists; default: the one it marks\n"
    "  --nx-write N           write the first N values of each row (default: all)\n"
    "  --nz-write N           write the first N rows (default: all)\n"
    "  --dx STEP              grid step along X, in m (needed)\n"
    "  --dz STEP              grid step along Z, in m (needed)\n"
    "  -o, --output OUTPUT    the grid file to write, named exactly as given; an existing\n"
    "                         file is replaced only when the new one is complete;\n"
    "                         \"-\" writes it to standard output (not to a terminal)\n"
    "  --force                write the grid file despite the findings below\n"
    "  --strict               accepted for older scripts: findings always refuse\n"
    "\n"
    "The file holds m/s and kg/m3 whatever the input units. Before writing, the conversion\n"
    "looks for what most often means a wrong model: rows that do not fit the lines of a file,\n"
    "a grid at least 20 times deeper than wide, values that change less than half as much\n"
    "down the columns as along the rows (a file stored column by column), no-data markers\n"
    "(-999.25, -999, -9999, -99999, 1.70141e38 and above), values that do not fit their units\n"
    "(velocities outside 100 to 10000 m/s, densities outside 500 to 6000 kg/m3, Vs above Vp)\n"
    "and steps below 0.1 m or above 1000 m. Each finding is listed and nothing is written,\n"
    "unless --force is given.\n"};

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
    {"force", 0, false},
    {"strict", 0, false},
    {"help", 'h', false},
};

// One property: its options, its file and unit as given, and what was read.
struct Property {
  PropertyKind kind;
  const char* option;       // "vp"
  const char* unitsOption;  // "vp-units"
  std::string path;
  const Unit* unit = nullptr;
  LoadedProperty loaded;
};

struct Choices {
  bool hasNx = false, hasNxWrite = false, hasNzWrite = false;
  std::int32_t nx = 0, nxWrite = 0, nzWrite = 0;
  float dx = 0.0f, dz = 0.0f;
  std::string output;
};

// An optional whole-number option; returns a usage problem, "" when fine.
std::string TakeInteger(const ParsedCommandLine& line, const std::string& name, bool& given,
                        std::int32_t& value) {
  given = line.Has(name);
  if (!given || ReadInt32(line.Value(name), &value)) return {};
  return "--" + name + " needs a whole number, not \"" + line.Value(name) + "\"";
}

// A step option, read as the dialog reads its step fields.
std::string TakeStep(const ParsedCommandLine& line, const std::string& name, float& step) {
  if (!line.Has(name) || ReadFloat32(line.Value(name), &step)) return {};
  return "--" + name + " needs a number, not \"" + line.Value(name) + "\"";
}

// Steps are never assumed. They come from --dx and --dz: where an input form states its steps,
// they would come from the input here.
std::string MissingSteps(const ParsedCommandLine& line) {
  const bool dx = line.Has("dx"), dz = line.Has("dz");
  if (dx && dz) return {};
  if (!dx && !dz) return "no steps: give --dx and --dz, the grid steps in m";
  return std::string("no ") + (dx ? "--dz" : "--dx") + ": give the grid step along " +
         (dx ? "Z" : "X") + " in m";
}

// Takes the options into the properties and choices; returns a usage problem, "" when fine.
std::string TakeOptions(const ParsedCommandLine& line, std::array<Property, 3>& properties,
                        Choices& choices) {
  if (!line.operands.empty()) return "unexpected argument \"" + line.operands[0] + "\"";
  bool anyInput = false;
  for (Property& property : properties) {
    property.path = line.Value(property.option);
    anyInput = anyInput || !property.path.empty();
    property.unit = ListedUnits(property.kind).front();
    if (!line.Has(property.unitsOption)) continue;
    if (property.path.empty()) {
      return std::string("--") + property.unitsOption + " is given without --" + property.option;
    }
    const std::string& units = line.Value(property.unitsOption);
    property.unit = FindUnit(property.kind, units);
    if (property.unit == nullptr) {
      return std::string("--") + property.unitsOption + " must be " + UnitNames(property.kind) +
             ", not \"" + units + "\"";
    }
  }
  if (!anyInput) return "no input: give at least one of --vp, --density, --vs";
  const auto fromStandardInput = [](const Property& p) { return p.path == kStandardInput; };
  if (std::count_if(properties.begin(), properties.end(), fromStandardInput) > 1) {
    return "only one input can be \"-\", standard input";
  }

  for (const std::string& problem :
       {TakeInteger(line, "nx", choices.hasNx, choices.nx),
        TakeInteger(line, "nx-write", choices.hasNxWrite, choices.nxWrite),
        TakeInteger(line, "nz-write", choices.hasNzWrite, choices.nzWrite),
        TakeStep(line, "dx", choices.dx), TakeStep(line, "dz", choices.dz), MissingSteps(line)}) {
    if (!problem.empty()) return problem;
  }
  if (!line.Has("output")) return "no output: give -o OUTPUT";
  choices.output = line.Value("output");
  return {};
}

// How messages name a property's file: with its option, so that files of one name in two
// folders are told apart ("--vp b/vp.txt", "--vp standard input").
std::string NameOf(const Property& property) {
  return std::string("--") + property.option + " " +
         (property.path == kStandardInput ? "standard input" : property.path);
}

// Reads one property as the dialog does; returns the refusal line, "" when read.
std::string ReadProperty(Property& property, const Property* first, ProgressLine& progress) {
  property.loaded = LoadProperty(property.path, NameOf(property),
                                 first != nullptr ? first->loaded.summary.count : 0,
                                 progress.For("Reading " + property.path));
  progress.Clear();
  if (property.loaded.countDiffers) {
    return NameOf(property) + " holds " + std::to_string(property.loaded.summary.count) +
           " values but " + NameOf(*first) + " holds " +
           std::to_string(first->loaded.summary.count) +
           ": all input files must hold the same number of values; " + NameOf(*first) + ": " +
           DescribeLines(first->loaded.lines) + "; " + NameOf(property) + ": " +
           DescribeLines(property.loaded.lines);
  }
  return property.loaded.status.message();
}

// The X size and the window to write, as the dialog derives them; returns the refusal line, and
// says the X size with what proposed it.
std::string ShapeGrid(const Choices& choices, const Property& first, ConversionRequest& request,
                      std::string& said) {
  const std::uint32_t count = first.loaded.summary.count;
  const XSizeChoice x =
      ChooseXSize(count, first.loaded.lines, NameOf(first), choices.hasNx, choices.nx);
  if (!x.problem.empty()) return x.problem;
  said = x.said;
  request.nxInput = x.nx;
  request.nzInput = static_cast<std::int32_t>(count / static_cast<std::uint32_t>(request.nxInput));
  request.nxWrite = choices.hasNxWrite ? choices.nxWrite : request.nxInput;
  request.nzWrite = choices.hasNzWrite ? choices.nzWrite : request.nzInput;
  return {};
}

// The option a refusal of the request is about, to put before its message.
std::string OptionOf(RequestPart part) {
  switch (part) {
    case RequestPart::kNxWrite:
      return "--nx-write: ";
    case RequestPart::kNzWrite:
      return "--nz-write: ";
    case RequestPart::kXStep:
      return "--dx: ";
    case RequestPart::kZStep:
      return "--dz: ";
    default:
      return "";
  }
}

}  // namespace

int RunConvertCommand(const std::vector<std::string>& args, const CommandContext& context) {
  const ParsedCommandLine line = ParseCommandLine(args, kOptions);
  if (!line.ok()) return UsageError(context.err, kConvertHelp, line.problem);
  if (line.Has("help")) return ShowHelp(context.out, kConvertHelp);

  std::array<Property, 3> properties = {{
      {PropertyKind::kVp, "vp", "vp-units", {}, nullptr, {}},
      {PropertyKind::kDensity, "density", "density-units", {}, nullptr, {}},
      {PropertyKind::kVs, "vs", "vs-units", {}, nullptr, {}},
  }};
  Choices choices;
  const std::string problem = TakeOptions(line, properties, choices);
  if (!problem.empty()) return UsageError(context.err, kConvertHelp, problem);
  if (choices.output.find('*') != std::string::npos) {
    return Refuse(context.err, choices.output + ": a grid file name cannot hold \"*\"");
  }
  const bool toStandardOutput = choices.output == "-";
  if (toStandardOutput && context.stdoutIsTerminal) {
    return Refuse(context.err,
                  "-o -: will not write a binary grid file to a terminal; redirect standard "
                  "output to a file or a pipe");
  }

  ProgressLine progress(context.err, context.showProgress);
  const Property* first = nullptr;
  for (Property& property : properties) {
    if (property.path.empty()) continue;
    const std::string refusal = ReadProperty(property, first, progress);
    if (!refusal.empty()) return Refuse(context.err, refusal);
    if (first == nullptr) first = &property;
  }

  ConversionRequest request;
  std::string nxSaid;
  const std::string refusal = ShapeGrid(choices, *first, request, nxSaid);
  if (!refusal.empty()) return Refuse(context.err, refusal);
  PropertyInput* const inputs[] = {&request.vp, &request.density, &request.vs};
  for (std::size_t i = 0; i < properties.size(); ++i) {
    const Property& property = properties[i];
    if (property.path.empty()) continue;
    inputs[i]->values = property.loaded.values.data();
    inputs[i]->unit = property.unit;
    inputs[i]->path = property.path == kStandardInput ? "" : property.path;
    inputs[i]->name = NameOf(property);
    inputs[i]->lines = &property.loaded.lines;
    inputs[i]->range = RangeOfValues(property.loaded.summary);
  }
  request.elementCount = first->loaded.summary.count;
  request.inputCount = static_cast<std::int32_t>(request.elementCount);
  request.xStep = choices.dx;
  request.zStep = choices.dz;
  request.xStepName = "--dx";
  request.zStepName = "--dz";
  request.outputName = toStandardOutput ? "standard output" : choices.output;
  request.outputPath = toStandardOutput ? "" : choices.output;
  request.toStandardOutput = toStandardOutput;
  RequestPart refused = RequestPart::kNone;
  const Status checked = CheckConversionRequest(request, &refused);
  if (!checked.ok()) return Refuse(context.err, OptionOf(refused) + checked.message());
  // A script would write a wrong model without anyone reading a warning: findings refuse.
  const std::vector<std::string> findings = FindingsOf(request);
  const bool force = line.Has("force");
  if (!findings.empty() && !force) {
    for (const std::string& finding : findings) ReportProblem(context.err, finding);
    return Refuse(context.err, "nothing written; --force writes the grid file anyway");
  }
  const Status written = WriteGridFile(request);
  if (!written.ok()) return Refuse(context.err, written.message());

  const GridFileHeader header = MakeGridFileHeader(
      request.nxWrite, request.nzWrite, request.xStep, request.zStep, request.vp.values != nullptr,
      request.density.values != nullptr, request.vs.values != nullptr);
  // Standard output holds the grid file itself: the summary goes with the messages.
  std::ostream& summary = toStandardOutput ? context.err : context.out;
  summary << "Wrote " << (toStandardOutput ? "the grid file to standard output" : choices.output)
          << ": "
          << (request.nxWrite == request.nxInput ? nxSaid : "nx " + std::to_string(request.nxWrite))
          << ", nz " << request.nzWrite << ", properties " << header.propertyCodes << ", "
          << kGridFileHeaderSize + GridFileDataSize(header) << " bytes";
  if (request.nxWrite != request.nxInput || request.nzWrite != request.nzInput) {
    summary << " (the first rows and columns of the " << request.nxInput << " x " << request.nzInput
            << " input grid)";
  }
  if (!findings.empty()) {
    summary << "; --force overrode " << findings.size()
            << (findings.size() == 1 ? " finding:" : " findings:");
    for (const std::string& finding : findings) summary << ' ' << finding;
  }
  summary << '\n';
  return kExitSuccess;
}
