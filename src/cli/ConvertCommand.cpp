// mvgtool convert: the dialog's conversion, with its choices given as options. It goes through
// the same core functions as the dialog, so the same choices write the same bytes.

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Mvgtool.h"
#include "cli/ProgressLine.h"
#include "cli/ReadingOptions.h"
#include "conversion/Conversion.h"
#include "conversion/ConversionRequest.h"
#include "conversion/LoadedGrid.h"
#include "conversion/PreparationChoices.h"
#include "conversion/PropertyLoad.h"
#include "conversion/ReadingChoices.h"
#include "conversion/StepChoices.h"
#include "conversion/Units.h"
#include "conversion/WindowChoice.h"
#include "conversion/XSizeChoice.h"
#include "grid/AsciiCase.h"
#include "grid/GridProperties.h"
#include "grid/NumberText.h"
#include "gridfile/GridFileDraft.h"
#include "gridfile/GridFileHeader.h"
#include "system/OutputTarget.h"
#include "textgrid/GridSizes.h"

const CommandHelp kConvertHelp = {
    "convert", "mvgtool convert [--vp FILE] [--density FILE] [--vs FILE] [options] -o OUTPUT",
    "Converts up to three grids, which must hold the same number of values, into one grid\n"
    "file. A text grid is a flat sequence of decimal numbers separated by spaces, tabs,\n"
    "commas or line ends, row after row; its lines hold whole rows, or its rows are wrapped\n"
    "over whole lines. Comment lines (# or % first) and leading title lines (words without a\n"
    "number) are passed over; numbers may be written 1.5E+03, 1.5D+03 or NaN (a hole).\n"
    "An ESRI ASCII grid, a Surfer ASCII grid (DSAA), x z value triplets (a line a node, in\n"
    "any order) or a matrix with axes (a first row of x and a first column of z coordinates,\n"
    "with a corner cell) state their X size and steps: then --nx, --dx and --dz are not\n"
    "needed, and one that contradicts the file is refused. A Surfer grid's y and the\n"
    "triplets' or matrix's z are a depth, or an elevation when wholly at or below 0 (or a\n"
    "header names it elevation); the model is written top row first. Holes (NaN,\n"
    "nodata_value, Surfer's blank) must be filled. The form is told from the text, not the\n"
    "name (\"mvgtool sizes\" names it; --form overrules it). FILE may be UTF-16 with its\n"
    "byte-order mark or gzip-compressed, and \"-\" reads one of them from standard input.\n"
    "\n"
    "Binary files are told from their bytes as well: SEG-Y (revisions 0 to 2, big- or\n"
    "little-endian) and Seismic Unix files, a trace a column, state nx and nz (and dx where the\n"
    "traces' X coordinates rise by one step), but never dz: their sample interval is in\n"
    "microseconds by the standard, so --dz is needed; a numpy .npy array of 2 dimensions states\n"
    "nx and nz (its first index down, or with --order columns across); raw values need --raw\n"
    "and --nx, unless Fortran records give the row length. NaN values are holes.\n"
    "\n"
    "  --vp FILE              compressional velocity grid\n"
    "  --density FILE         density grid, or the word gardner: density from Vp by Gardner's\n"
    "                         relation, 310 x Vp^0.25 (kg/m3, Vp in m/s)\n"
    "  --vs FILE              shear velocity grid, or a rule on Vp: vp/R, Vs = Vp / R (R above 1,\n"
    "                         as vp/1.73), or mudrock, Vs = (Vp - 1360) / 1.16, never below 0.\n"
    "                         Exactly these words name rules; a file so named is given with its\n"
    "                         folder (./gardner). A rule needs --vp, and takes no units.\n"
    "  --water-vp V           with a rule: nodes of Vp at most V m/s are water (default 1550);\n"
    "                         the rules give them Vs 0 and the water's density\n"
    "  --water-density D      the water's density for the rules, in kg/m3 (default 1030)\n"
    "  --vp-units UNITS       m/s (default), ft/s or km/s\n"
    "  --vs-units UNITS       m/s (default), ft/s or km/s\n"
    "  --density-units UNITS  kg/m3 (default), g/cm3 (or g/cc) or lb/ft3\n" +
        std::string(kReadingOptionsHelp) + kRawOptionsHelp +
        "  --nx N                 X size of the input grid (values per row), one of the X sizes\n"
        "                         that \"mvgtool sizes\" lists; default: the one the file states\n"
        "                         or its lines show, else the one it marks, a guess (a finding)\n"
        "  --x-from N             the first X node to write, numbered from 0 (default 0)\n"
        "  --z-from N             the first Z node (row) to write, numbered from 0 (default 0)\n"
        "  --nx-write N           write N values of each row (default: all from --x-from on)\n"
        "  --nz-write N           write N rows (default: all from --z-from on)\n"
        "  --dx STEP              grid step along X, in m (needed unless the file states it)\n"
        "  --dz STEP              grid step along Z, in m (needed unless the file states it)\n"
        "  --fill-holes HOW       fill the holes (no-data markers) of the input files: nearest,\n"
        "                         with the value of the nearest node that is not a hole (distance\n"
        "                         in m; of nodes as near, the one in the upper row, then the one\n"
        "                         in the left column), or a number, in each file's own unit\n"
        "  --resample DX DZ       write the window at new steps in m, each property by bilinear\n"
        "                         interpolation; along an axis whose new step is a whole multiple "
        "k\n"
        "                         of the old one, one node in k is copied exactly (plain\n"
        "                         decimation). An axis takes floor((size to write - 1) x old step\n"
        "                         / new step) + 1 nodes.\n"
        "  --pad L,R,T,B          a border of L, R, T and B nodes (left, right, top, bottom), "
        "each\n"
        "                         repeating the nearest edge node, as absorbing boundaries need\n"
        "  -o, --output OUTPUT    the grid file to write, named exactly as given; an existing\n"
        "                         file is replaced only when the new one is complete (a link\n"
        "                         stays, its file is replaced); a device or a pipe is written\n"
        "                         as a stream; \"-\" writes it to standard output (never to a\n"
        "                         terminal)\n"
        "  --force                write the grid file despite the findings below\n"
        "  --strict               accepted for older scripts: findings always refuse\n"
        "\n"
        "The file holds m/s and kg/m3 whatever the input units. The model is prepared in this\n"
        "order: holes filled (on the whole input grid), density and Vs derived, the window taken,\n"
        "new steps, the border; the summary names each input's form and the lines passed over,\n"
        "each step done, and gives the stability report of the model written (as \"mvgtool\n"
        "info\" does). Before writing, the conversion looks for what most often means a wrong\n"
        "model: an X size guessed (not given, stated or shown by lines that all hold the same\n"
        "number of values or wrap each row alike), rows that do not fit the lines of a file or\n"
        "two or more to a line, a first column or row of coordinates (depths, x), a grid at\n"
        "least 20 times deeper than wide, values that change less than half as much down the\n"
        "columns as along the rows (a file stored column by column), no-data markers (-999.25, "
        "-999, -9999, -99999,\n"
        "1.70141e38 and above) that are not to be filled, values that do not fit their units\n"
        "(velocities outside 100 to 10000 m/s, densities outside 500 to 6000 kg/m3, Vs above Vp)\n"
        "and steps below 0.1 m or above 1000 m. Each finding is listed and nothing is written,\n"
        "unless --force is given.\n"};

namespace {

// One property: its options, derived from its name ("--vp", "--vp-units"), its file and unit as
// given, and what was read.
struct Property {
  std::string option;       // "vp"
  std::string unitsOption;  // "vp-units"
  std::string path;         // empty for a rule
  PropertySource source;
  const Unit* unit = nullptr;
  LoadedProperty loaded;
};

PerProperty<Property> PropertiesWithTheirOptions() {
  PerProperty<Property> properties;
  for (const GridProperty& grid : kGridProperties) {
    properties[grid.kind].option = AsciiLower(grid.name);
    properties[grid.kind].unitsOption = properties[grid.kind].option + "-units";
  }
  return properties;
}

// The command's options. The rules name the properties' options without copying them: the
// properties outlive the parsing.
std::vector<OptionRule> OptionsOf(const PerProperty<Property>& properties) {
  std::vector<OptionRule> options;
  for (const Property& property : properties.each) options.push_back({property.option, 0, true});
  for (const Property& property : properties.each) {
    options.push_back({property.unitsOption, 0, true});
  }
  options.insert(options.end(), {{"nx", 0, true},
                                 {"nx-write", 0, true},
                                 {"nz-write", 0, true},
                                 {"dx", 0, true},
                                 {"dz", 0, true},
                                 {"output", 'o', true},
                                 {"force", 0, false},
                                 {"strict", 0, false},
                                 {"help", 'h', false}});
  for (const OptionRule& rule : PreparationOptionRules()) options.push_back(rule);
  for (const OptionRule& rule : ReadingOptionRules()) options.push_back(rule);
  return options;
}

struct Choices {
  bool hasNx = false;
  std::int32_t nx = 0;
  WindowChoice window;
  float dx = 0.0f, dz = 0.0f;
  ModelPreparation preparation;
  TextReadingChoices reading;
  std::string output;
};

// Takes the options into the properties and choices; refused with the usage problem.
Status TakeOptions(const ParsedCommandLine& line, PerProperty<Property>& properties,
                   Choices& choices) {
  if (!line.operands.empty()) {
    return Status::Error("unexpected argument \"" + line.operands[0] + "\"");
  }
  bool anyInput = false, anyRule = false;
  std::string inputOptions;
  for (const GridProperty& grid : kGridProperties) {
    Property& property = properties[grid.kind];
    inputOptions += (inputOptions.empty() ? "--" : ", --") + property.option;
    const std::string& given = line.Value(property.option);
    if (TakeRule(grid.kind, given, property.source)) {
      anyRule = true;
      const Status vp = CheckRuleHasVp(line, grid.kind, property.option, !line.Value("vp").empty());
      if (!vp.ok()) return vp;
    } else {
      property.path = given;
      anyInput = anyInput || !property.path.empty();
    }
    const Status unit = TakeUnitOption(line, grid.kind, property.option, !property.path.empty(),
                                       property.source, property.unit);
    if (!unit.ok()) return unit;
  }
  if (!anyInput) return Status::Error("no input: give at least one of " + inputOptions);
  const auto fromStandardInput = [](const Property& p) { return p.path == kStandardInput; };
  if (std::count_if(properties.each.begin(), properties.each.end(), fromStandardInput) > 1) {
    return Status::Error("only one input can be \"-\", standard input");
  }

  for (const Status& taken :
       {TakeWholeNumber(line, "nx", choices.hasNx, choices.nx),
        TakeWindowSizes(line, choices.window), TakeNumber(line, "dx", choices.dx),
        TakeNumber(line, "dz", choices.dz), TakeReadingOptions(line, choices.reading),
        TakePreparationOptions(line, anyRule, choices.preparation, choices.window.start)}) {
    if (!taken.ok()) return taken;
  }
  for (const GridProperty& grid : kGridProperties) {
    PropertySource& source = choices.preparation.sources[grid.kind];
    const PropertySource& rule = properties[grid.kind].source;
    if (IsDerived(rule)) source = {rule.rule, rule.ratio, {}};
  }
  if (!line.Has("output")) return Status::Error("no output: give -o OUTPUT");
  choices.output = line.Value("output");
  return Status();
}

// How messages name a property's file: with its option, so that files of one name in two
// folders are told apart ("--vp b/vp.txt", "--vp standard input").
std::string NameOf(const Property& property) {
  return "--" + property.option + " " +
         (property.path == kStandardInput ? "standard input" : property.path);
}

// Whether the grid file is likely one property's values as read, unscaled, from the first node
// on, whole rows: its data block is then written while the values are read (GridFileDraft). When
// it turns out otherwise (a form whose values are put in order once read), the export writes as
// usual.
bool DraftsTheDataBlock(const PerProperty<Property>& properties, const Choices& choices,
                        bool toStandardOutput) {
  const ModelPreparation& preparation = choices.preparation;
  int files = 0;
  for (const GridProperty& grid : kGridProperties) {
    const Property& property = properties[grid.kind];
    const PropertySource& source = preparation.sources[grid.kind];
    if (IsDerived(source) || source.fill.how != HoleFilling::kNone) return false;
    if (property.path.empty()) continue;
    ++files;
    if (property.unit == nullptr || property.unit->factor != 1.0f) return false;
  }
  const WindowChoice& window = choices.window;
  return files == 1 && !toStandardOutput && !window.hasNxWrite && window.start.xFrom == 0 &&
         window.start.zFrom == 0 && !preparation.resample && !preparation.border.any();
}

// Reads one property as the dialog does, but for a binary file mapped into memory (mvgtool ends
// with the conversion); refused with the line to show. Files whose forms state their sizes must
// agree on them, and on their steps. The values go to the draft as they are read, when there is
// one.
Status ReadProperty(Property& property, const PerProperty<Property>& properties,
                    const Property* first, const TextReadingChoices& choices,
                    ProgressLine& progress, GridFileDraft* draft) {
  FinalValues final;
  if (draft != nullptr) {
    final = [draft](const float* values, std::uint64_t from, std::uint64_t count) {
      draft->Take(values, from, count);
    };
  }
  property.loaded = LoadProperty(
      property.path, NameOf(property), first != nullptr ? first->loaded.summary.count : 0,
      progress.For("Reading " + property.path), choices, final, FileAccess::kMapped);
  progress.Clear();
  const LoadedProperty& loaded = property.loaded;
  if (loaded.ok() || loaded.countDiffers) {
    for (const Property& other : properties.each) {
      if (&other == &property) break;
      if (other.path.empty()) continue;
      const std::string problem =
          SameGridProblem(NameOf(property), loaded.form, NameOf(other), other.loaded.form);
      if (!problem.empty()) return Status::Error(problem);
    }
  }
  if (loaded.countDiffers) {
    return Status::Error(NameOf(property) + " holds " + std::to_string(loaded.summary.count) +
                         " values but " + NameOf(*first) + " holds " +
                         std::to_string(first->loaded.summary.count) +
                         ": all input files must hold the same number of values; " +
                         NameOf(*first) + ": " + DescribeLines(first->loaded.lines) + "; " +
                         NameOf(property) + ": " + DescribeLines(loaded.lines));
  }
  if (loaded.ok()) return Status();
  return Status::Error(WithReadingOption(loaded.status.message(), loaded.commasUndecided,
                                         loaded.tripletsTold, {}, loaded.rawUndecided));
}

// The first file whose form states the grid's sizes, else the first file.
const Property& GridStater(const PerProperty<Property>& properties, const Property& first) {
  for (const Property& property : properties.each) {
    if (!property.path.empty() && property.loaded.form.statesSizes) return property;
  }
  return first;
}

// The X size and the window to write, as the dialog derives them; says the X size with what
// proposed it. The steps are the options', or those the files state.
Status ShapeGrid(const ParsedCommandLine& line, const Choices& choices, const Property& first,
                 const Property& stater, ConversionRequest& request, std::string& said) {
  const std::uint32_t count = first.loaded.summary.count;
  const TextGridForm& form = stater.loaded.form;
  const XSizeChoice x =
      ChooseXSize(count, first.loaded.lines, NameOf(stater), choices.hasNx, choices.nx, form);
  if (!x.status.ok()) return x.status;
  said = x.said;
  request.xSizeKnown = x.known;
  request.nzInput = static_cast<std::int32_t>(count / static_cast<std::uint32_t>(x.nx));
  request.window =
      WindowOf(count, x.nx, request.nzInput, choices.window, line.Has("dx") ? choices.dx : form.dx,
               line.Has("dz") ? choices.dz : form.dz);
  return CheckStepsAgainstForm(choices.dx, choices.dz, NameOf(stater), form, line);
}

// "Read --vp vp.asc: ESRI ASCII grid, ncols 500, ..." for each input not read as plain numbers
// or with lines passed over; "Wrote model.mvg: nx 500 from the lines (...), nz 174, properties
// PQR, 1044296 bytes", with the part of the input written and the findings overridden; then each
// step of the preparation and the stability report. A grid file on standard output is "the grid
// file to standard output".
void ReportWritten(std::ostream& out, const ConversionRequest& request,
                   const ConversionResult& result, const std::string& nxSaid,
                   const PerProperty<Property>& properties) {
  for (const Property& property : properties.each) {
    if (property.path.empty()) continue;
    const std::string reading = DescribeReading(property.loaded.form);
    if (!reading.empty()) out << "Read " << NameOf(property) << ": " << reading << '\n';
  }
  const GridFileHeader& header = result.header;
  const GridWindow& window = request.window;
  const bool sameRows = window.nxWrite == window.nxInput && !request.preparation.resample &&
                        !request.preparation.border.any();
  out << "Wrote "
      << (request.toStandardOutput ? "the grid file to standard output" : request.outputPath)
      << ": " << (sameRows ? nxSaid : "nx " + std::to_string(header.nx)) << ", nz " << header.nz
      << ", properties " << header.propertyCodes << ", " << result.bytes << " bytes";
  const std::string input = " of the " + std::to_string(window.nxInput) + " x " +
                            std::to_string(request.nzInput) + " input grid)";
  if (window.xFrom != 0 || window.zFrom != 0) {
    out << " (" << window.nxWrite << " x " << window.nzWrite << " nodes from node x "
        << window.xFrom << ", z " << window.zFrom << input;
  } else if (window.nxWrite != window.nxInput || window.nzWrite != request.nzInput) {
    out << " (the first rows and columns" << input;
  }
  if (!result.findings.empty()) {
    out << "; --force overrode " << result.findings.size()
        << (result.findings.size() == 1 ? " finding:" : " findings:");
    for (const std::string& finding : result.findings) out << ' ' << finding;
  }
  out << '\n';
  for (const std::string& sentence : result.prepared) out << sentence << '\n';
  const std::vector<std::string> stability = StabilityLines(result.stability);
  for (std::size_t i = 0; i < stability.size(); ++i) {
    out << (i == 0 ? "" : "  ") << stability[i] << '\n';
  }
}

}  // namespace

int RunConvertCommand(const std::vector<std::string>& args, const CommandContext& context) {
  PerProperty<Property> properties = PropertiesWithTheirOptions();
  const ParsedCommandLine line = ParseCommandLine(args, OptionsOf(properties));
  if (!line.ok()) return UsageError(context.err, kConvertHelp, line.status.message());
  if (line.Has("help")) return ShowHelp(context.out, kConvertHelp);

  Choices choices;
  const Status taken = TakeOptions(line, properties, choices);
  if (!taken.ok()) return UsageError(context.err, kConvertHelp, taken.message());
  const Status outputName = CheckOutputName(choices.output);
  if (!outputName.ok()) return Refuse(context.err, outputName.message());
  const bool toStandardOutput = choices.output == "-";
  // A path may lead to a terminal, or to standard output, through its links.
  const OutputTarget target = toStandardOutput ? OutputTarget() : FindOutputTarget(choices.output);
  if ((toStandardOutput && context.stdoutIsTerminal) || target.terminal) {
    return Refuse(context.err,
                  "-o " + choices.output + ": will not write a binary grid file to a terminal; " +
                      (toStandardOutput ? "redirect standard output to a file or a pipe"
                                        : "give a file or a pipe"));
  }

  GridFileDraft draft;
  const bool drafting =
      DraftsTheDataBlock(properties, choices, toStandardOutput) && draft.Begin(choices.output);
  ProgressLine progress(context.err, context.showProgress);
  const Property* first = nullptr;
  for (Property& property : properties.each) {
    if (property.path.empty()) continue;
    const Status read = ReadProperty(property, properties, first, choices.reading, progress,
                                     drafting ? &draft : nullptr);
    if (!read.ok()) return Refuse(context.err, read.message());
    if (first == nullptr) first = &property;
  }
  // Steps are never assumed: the options give them, or the files' forms.
  const Property& stater = GridStater(properties, *first);
  const Status steps = CheckStepsKnown(line, NameOf(stater), stater.loaded.form);
  if (!steps.ok()) return UsageError(context.err, kConvertHelp, steps.message());

  ConversionRequest request;
  request.preparation = choices.preparation;
  request.order = choices.reading.order;
  std::string nxSaid;
  const Status shaped = ShapeGrid(line, choices, *first, stater, request, nxSaid);
  if (!shaped.ok()) return Refuse(context.err, shaped.message());
  for (const GridProperty& grid : kGridProperties) {
    Property& property = properties[grid.kind];
    if (property.path.empty()) continue;
    LoadedProperty& loaded = property.loaded;
    const Status arranged =
        ArrangeValues(loaded.values.data(), loaded.summary.count, loaded.form, NameOf(property),
                      request.window.nxInput, choices.reading);
    if (!arranged.ok()) return Refuse(context.err, arranged.message());
    request.inputs[grid.kind] = {loaded.values.data(),
                                 property.unit,
                                 property.path == kStandardInput ? "" : property.path,
                                 NameOf(property),
                                 LinesHoldRows(loaded.form) ? &loaded.lines : nullptr,
                                 loaded.endMarkLine,
                                 RangeOfValues(loaded.summary),
                                 loaded.form.holes > 0 ? loaded.form.holeMarker : "",
                                 &loaded.form};
  }
  request.inputCount = static_cast<std::int32_t>(request.window.elementCount);
  request.xStepName = "--dx";
  request.zStepName = "--dz";
  request.choiceNames = ReadingChoiceNames(line);
  request.outputName = toStandardOutput ? "standard output" : choices.output;
  request.outputPath = toStandardOutput ? "" : choices.output;
  request.toStandardOutput = toStandardOutput;
  request.draft = drafting ? &draft : nullptr;
  // A script would write a wrong model without anyone reading a warning: findings refuse.
  const bool force = line.Has("force");
  FindingsAnswer answer;
  answer.writeDespite = [force](const std::vector<std::string>&) { return force; };
  const ConversionResult result = RunConversion(request, answer);
  if (!result.status.ok()) {
    const std::string choice = ChoiceNameOf(result.refused);
    return Refuse(context.err,
                  (choice.empty() ? "" : line.Named(choice) + ": ") + result.status.message());
  }
  if (!result.written) {
    for (const std::string& finding : result.findings) ReportProblem(context.err, finding);
    return Refuse(context.err, "nothing written; --force writes the grid file anyway");
  }
  // Standard output holds the grid file itself: the summary goes with the messages.
  ReportWritten(toStandardOutput || target.standardOutput ? context.err : context.out, request,
                result, nxSaid, properties);
  return kExitSuccess;
}
