// mvgtool sizes: what the dialog shows when a text grid is loaded: the number of values, their
// minimum and maximum, and the X sizes on offer with the proposal marked.

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Mvgtool.h"
#include "cli/ProgressLine.h"
#include "cli/XSizeOption.h"
#include "grid/NumberText.h"
#include "textgrid/GridSizes.h"
#include "textgrid/TextGridReader.h"

const CommandHelp kSizesHelp = {
    "sizes", "mvgtool sizes FILE...",
    "For each text grid: its number of values, their minimum and maximum, and the X sizes\n"
    "(values per row) it can be read with, the divisors of its number of values from 2 to half\n"
    "of it, and how its lines go. The proposal is marked [X]: the number of values on each line\n"
    "when every line holds the same number, else the narrowest rows that wrap over whole lines\n"
    "(not 20 times deeper than wide), else the most nearly square grid with X not above Z; pass\n"
    "another one to \"mvgtool convert --nx\". A FILE may be gzip-compressed; \"-\" reads one from\n"
    "standard input.\n"};

namespace {

void ShowSizes(std::ostream& out, const std::string& path, const TextGridRead& scan) {
  const TextGridSummary& summary = scan.summary;
  out << path << ": " << summary.count << " values, minimum " << FormatSixDigits(summary.minimum)
      << ", maximum " << FormatSixDigits(summary.maximum) << '\n'
      << "  lines: " << DescribeLines(scan.lines) << '\n';
  const std::vector<std::int32_t> sizes = XSizeChoices(summary.count);
  const int proposal = ProposedXSizeIndex(sizes, summary.count, scan.lines);
  if (sizes.empty()) {
    out << "  X sizes: none, no grid can be formed of " << summary.count << " values\n";
    return;
  }
  out << "  X sizes:";
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const std::string size = std::to_string(sizes[i]);
    out << ' ' << (static_cast<int>(i) == proposal ? "[" + size + "]" : size);
  }
  out << '\n';
  if (proposal >= 0) {
    out << "  proposed grid: "
        << DescribeProposal(sizes[proposal], summary.count, sizes, scan.lines) << ", nz "
        << summary.count / static_cast<std::uint32_t>(sizes[proposal]) << '\n';
  }
}

}  // namespace

int RunSizesCommand(const std::vector<std::string>& args, const CommandContext& context) {
  const ParsedCommandLine line = ParseCommandLine(args, {{"help", 'h', false}});
  if (!line.ok()) return UsageError(context.err, kSizesHelp, line.status.message());
  if (line.Has("help")) return ShowHelp(context.out, kSizesHelp);
  if (line.operands.empty()) return UsageError(context.err, kSizesHelp, "no file given");

  if (std::count(line.operands.begin(), line.operands.end(), kStandardInput) > 1) {
    return UsageError(context.err, kSizesHelp, "only one FILE can be \"-\", standard input");
  }

  // Every file is shown or refused; one refused file makes the whole run a refusal.
  int status = kExitSuccess;
  ProgressLine progress(context.err, context.showProgress);
  for (const std::string& path : line.operands) {
    const std::string name = path == kStandardInput ? "standard input" : path;
    const TextGridRead scan = ScanTextGrid(path, name, progress.For("Scanning " + path));
    progress.Clear();
    if (scan.ok()) {
      ShowSizes(context.out, name, scan);
    } else {
      status = Refuse(context.err, scan.status.message());
    }
  }
  return status;
}
