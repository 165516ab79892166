// mvgtool sizes: what the dialog shows when a grid is loaded: the number of values, their minimum
// and maximum, its form, and the X sizes on offer with the proposal marked.

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
#include "conversion/PropertyLoad.h"
#include "conversion/XSizeChoice.h"
#include "grid/NumberText.h"
#include "textgrid/GridSizes.h"
#include "textgrid/TextGridReader.h"

const CommandHelp kSizesHelp = {
    "sizes",
    "mvgtool sizes FILE... [--order rows|columns] [--flip-z] [--decimal-comma]\n"
    "                      [--form FORM] [--skip-columns N] [--skip-rows N]\n"
    "                      [--coordinates km|m] [--raw TYPE [--skip-bytes N]]",
    "For each grid: its number of values, their minimum and maximum, its form and what\n"
    "was taken from it, the lines passed over, and how its lines go. A grid that states its\n"
    "sizes and steps (an ESRI or Surfer ASCII grid, x z value triplets, a matrix with axes)\n"
    "shows them; for one that does not, the X sizes (values per row) it can be read with, the\n"
    "divisors of its number of values from 2 to half of it. The proposal is marked [X]: shown\n"
    "by the lines, the number of values on each line when every line holds the same number,\n"
    "or the length of rows wrapped over lines alike (each row the same full lines and the same\n"
    "shorter last one); else guessed: the narrowest rows that end at line ends (not 20 times\n"
    "deeper than wide), else the most nearly square grid with X not above Z. \"mvgtool\n"
    "convert\" refuses a guess; pass the X size to it with --nx. A FILE may be\n"
    "gzip-compressed; \"-\" reads one from standard input.\n"
    "\n"
    "The forms, told from the text: numbers alone, row after row (the plain form); an ESRI\n"
    "ASCII grid (ncols, nrows, cellsize or dx and dy, nodata_value ...); a Surfer ASCII grid\n"
    "(DSAA); x z value triplets, a line a node in any order; a matrix with axes, a first row\n"
    "of x and a first column of z coordinates around the values. Lines whose first character\n"
    "other than blanks is # or % are comments, passed over anywhere, and so are leading lines\n"
    "of words without a number (a title, column names). UTF-16 text with its byte-order mark\n"
    "is read as well as UTF-8.\n"
    "\n"
    "Binary files are told from their bytes too: SEG-Y (revisions 0 to 2; its textual header's\n"
    "first lines are shown) and Seismic Unix files, a trace a column, which state nx and nz\n"
    "and, where the traces' X coordinates rise by one step, dx; numpy .npy arrays of 2\n"
    "dimensions, which state nx and nz; and raw values, read with --raw.\n"
    "\n" +
        std::string(kReadingOptionsHelp) + kRawOptionsHelp};

namespace {

// "row 3, column 5" of a value at index i of the file, a grid nx wide or of columns nz deep.
std::string PlaceOf(std::uint64_t i, std::uint32_t count, std::int32_t nx, ValueOrder order) {
  const std::uint64_t width = static_cast<std::uint64_t>(nx);
  const std::uint64_t depth = count / width;
  const bool columns = order == ValueOrder::kColumns;
  return "row " + std::to_string((columns ? i % depth : i / width) + 1) + ", column " +
         std::to_string((columns ? i / depth : i % width) + 1);
}

// "  holes: 500 (NaN), the first at row 1, column 1", in a grid nx wide (0: not known).
void ShowHoles(std::ostream& out, const TextGridForm& form, std::uint32_t count, std::int32_t nx,
               ValueOrder order) {
  if (form.holes == 0) return;
  out << "  holes: " << form.holes << " (" << form.holeMarker << "), the first "
      << (nx > 0 ? "at " + PlaceOf(form.firstHole, count, nx, order)
                 : "is value " + std::to_string(form.firstHole + 1))
      << '\n';
}

void ShowSizes(std::ostream& out, const std::string& path, const TextGridRead& scan,
               ValueOrder order) {
  const TextGridSummary& summary = scan.summary;
  const TextGridForm& form = scan.form;
  const bool binary = IsBinaryForm(form.kind);
  out << path << ": " << summary.count << " values, minimum " << FormatSixDigits(summary.minimum)
      << ", maximum " << FormatSixDigits(summary.maximum) << '\n'
      << "  form: " << DescribeForm(form) << '\n';
  if (!form.header.empty()) out << "  textual header:\n";
  for (const std::string& line : form.header) out << "    " << line << '\n';
  const std::string skipped = DescribeSkippedLines(form);
  if (!skipped.empty()) out << "  skipped: " << skipped << '\n';
  if (!binary) out << "  lines: " << DescribeLines(scan.lines) << '\n';
  if (form.statesSizes) {
    out << "  grid: nx " << form.nx << ", nz " << form.nz;
    if (StatesDx(form)) out << ", dx " << FormatSixDigits(form.dx);
    if (StatesDz(form)) out << ", dz " << FormatSixDigits(form.dz);
    out << ", from " << form.source << '\n';
    if (!StatesDz(form) && !form.dzHint.empty()) {
      out << "  dz: not stated, " << form.dzHint << '\n';
    }
    ShowHoles(out, form, summary.count, form.nx, OrderOfValues(form, order));
    return;
  }
  const std::vector<std::int32_t> sizes = XSizeChoices(summary.count);
  // Raw values say nothing of the X size: none is proposed.
  const bool proposed = form.facts.nx.how != HowKnown::kAbsent;
  if (sizes.empty() || (!proposed && !binary)) {
    out << "  X sizes: none, no grid can be formed of " << summary.count << " values\n";
    ShowHoles(out, form, summary.count, 0, order);
    return;
  }
  out << "  X sizes:";
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const std::string size = std::to_string(sizes[i]);
    out << ' ' << (proposed && sizes[i] == form.nx ? "[" + size + "]" : size);
  }
  if (!proposed) {
    out << " (" << form.name << " say nothing of the X size: give --nx)\n";
    return;
  }
  out << '\n'
      << "  proposed grid: " << DescribeProposal(form.nx, form.facts.nx) << ", nz " << form.nz
      << '\n';
  ShowHoles(out, form, summary.count, form.nx, order);
}

}  // namespace

int RunSizesCommand(const std::vector<std::string>& args, const CommandContext& context) {
  std::vector<OptionRule> rules = ReadingOptionRules();
  rules.push_back({"help", 'h', false});
  const ParsedCommandLine line = ParseCommandLine(args, rules);
  if (!line.ok()) return UsageError(context.err, kSizesHelp, line.status.message());
  if (line.Has("help")) return ShowHelp(context.out, kSizesHelp);
  if (line.operands.empty()) return UsageError(context.err, kSizesHelp, "no file given");
  TextReadingChoices choices;
  const Status taken = TakeReadingOptions(line, choices);
  if (!taken.ok()) return UsageError(context.err, kSizesHelp, taken.message());

  if (std::count(line.operands.begin(), line.operands.end(), kStandardInput) > 1) {
    return UsageError(context.err, kSizesHelp, "only one FILE can be \"-\", standard input");
  }

  // Every file is shown or refused; one refused file makes the whole run a refusal.
  int status = kExitSuccess;
  ProgressLine progress(context.err, context.showProgress);
  for (const std::string& path : line.operands) {
    const std::string name = path == kStandardInput ? "standard input" : path;
    const TextGridRead scan =
        ReadGridInput(path, name, false, progress.For("Scanning " + path), choices);
    progress.Clear();
    if (scan.ok()) {
      ShowSizes(context.out, name, scan, choices.order);
    } else {
      status = Refuse(context.err, WithReadingOption(scan.status.message(), scan.commasUndecided,
                                                     scan.tripletsTold, {}, scan.rawUndecided));
    }
  }
  return status;
}
