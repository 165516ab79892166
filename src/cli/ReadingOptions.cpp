#include "cli/ReadingOptions.h"

const char kReadingOptionsHelp[] =
    "  --order rows|columns   how the file holds the grid: rows along X, the first row the\n"
    "                         top (default), or columns, one vertical profile after another\n"
    "                         with depth varying fastest (as Fortran programs write them)\n"
    "  --decimal-comma        every comma is a decimal mark (1500,5); by default commas are\n"
    "                         told from the text: between values (1500.5,1600.25), decimal\n"
    "                         with semicolons between values (1500,5;1600,25) or between\n"
    "                         blanks (1500,5 1600,25) where nothing else fits\n";

const char kFlipOptionHelp[] =
    "  --flip-z               the rows come from the bottom up (the first row the deepest)\n";

const char kRawOptionsHelp[] =
    "  --raw TYPE             read the file as raw values, whatever its bytes: f32le, f32be\n"
    "                         (32-bit floats, little- or big-endian), f64le or f64be (64-bit);\n"
    "                         Fortran unformatted records around them are told by their length\n"
    "                         markers, which then give the row length (or, with --order\n"
    "                         columns, the column length); without records give --nx\n"
    "  --skip-bytes N         of raw values: pass over a header of N bytes first\n";

std::vector<OptionRule> ReadingOptionRules(bool withFlip) {
  std::vector<OptionRule> rules = {
      {"order", 0, true}, {"decimal-comma", 0, false}, {"raw", 0, true}, {"skip-bytes", 0, true}};
  if (withFlip) rules.push_back({"flip-z", 0, false});
  return rules;
}

namespace {

Status TakeRawOptions(const ParsedCommandLine& line, TextReadingChoices& choices) {
  if (line.Has("raw")) {
    const std::string& type = line.Value("raw");
    const struct {
      const char* name;
      RawType type;
    } types[] = {{"f32le", RawType::kF32Le},
                 {"f32be", RawType::kF32Be},
                 {"f64le", RawType::kF64Le},
                 {"f64be", RawType::kF64Be}};
    for (const auto& each : types) {
      if (type == each.name) choices.raw = each.type;
    }
    if (choices.raw == RawType::kNone) {
      return Status::Error("--raw must be f32le, f32be, f64le or f64be, not \"" + type + "\"");
    }
  }
  bool skip = false;
  std::int32_t bytes = 0;
  const Status taken = TakeWholeNumber(line, "skip-bytes", skip, bytes);
  if (!taken.ok()) return taken;
  if (skip && choices.raw == RawType::kNone) {
    return Status::Error("--skip-bytes is for raw values: give --raw too");
  }
  if (bytes < 0)
    return Status::Error("--skip-bytes must be 0 or more, not " + std::to_string(bytes));
  choices.skipBytes = static_cast<std::uint64_t>(bytes);
  return Status();
}

}  // namespace

Status TakeReadingOptions(const ParsedCommandLine& line, TextReadingChoices& choices) {
  choices.decimalComma = line.Has("decimal-comma");
  choices.flipZ = line.Has("flip-z");
  const Status raw = TakeRawOptions(line, choices);
  if (!raw.ok()) return raw;
  if (!line.Has("order")) return Status();
  const std::string& order = line.Value("order");
  if (order == "rows" || order == "columns") {
    choices.order = order == "rows" ? ValueOrder::kRows : ValueOrder::kColumns;
    return Status();
  }
  return Status::Error("--order must be rows or columns, not \"" + order + "\"");
}

std::string WithCommaOption(const std::string& message, bool commasUndecided) {
  return commasUndecided ? message + "; --decimal-comma reads commas as decimal marks" : message;
}

std::string WithRawOption(const std::string& message, bool rawUndecided) {
  return rawUndecided
             ? message + "; --raw f32le, f32be, f64le or f64be (with --nx) reads it as raw values"
             : message;
}
