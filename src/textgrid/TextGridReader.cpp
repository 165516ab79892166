#include "textgrid/TextGridReader.h"

#include <algorithm>

#include "grid/NoDataMarkers.h"
#include "grid/ValueRange.h"
#include "system/ReadOnlyFile.h"
#include "textgrid/DecimalCommaStream.h"
#include "textgrid/FileStream.h"
#include "textgrid/FormCoordinates.h"
#include "textgrid/GridOrder.h"
#include "textgrid/GridSizes.h"
#include "textgrid/LeadingValues.h"
#include "textgrid/MatrixWithAxes.h"
#include "textgrid/TextGridPass.h"
#include "textgrid/TextGridStart.h"
#include "textgrid/TextGridStream.h"
#include "textgrid/TripletGrid.h"

namespace {

// A run of * is what Fortran writes in a field too narrow for its value (a token as shown, "..."
// after its first 40 characters when longer).
bool IsFortranOverflow(const std::string& token) {
  const std::size_t stars = token.find_first_not_of('*');
  return stars == std::string::npos ? !token.empty() : stars == 40 && token.substr(40) == "...";
}

Status StatusOf(const TextPassResult& result, const std::string& name) {
  switch (result.stop) {
    case TextPassStop::kEnd:
      return Status();
    case TextPassStop::kNotANumber:
    case TextPassStop::kBeyondFloatRange:
      return Status::Error(name + ", line " + std::to_string(result.problemLine) + ", value " +
                           std::to_string(result.problemValue) + ": \"" + result.token + "\"" +
                           (result.stop == TextPassStop::kBeyondFloatRange
                                ? " is beyond the range of 32-bit floats"
                            : IsFortranOverflow(result.token)
                                ? " is a Fortran field too narrow for its value: write the file "
                                  "with a wider format"
                                : " is not a number"));
    case TextPassStop::kReadError:
      return Status::Error(name + ": " + result.problem);
    case TextPassStop::kTooManyValues:
      return Status::Error(name + ": holds more than " + std::to_string(kMaxTextGridValues) +
                           " values");
    case TextPassStop::kChanged:
      return Status::Error(name + ": changed while it was being read");
    case TextPassStop::kOutOfMemory:
      return Status::Error(name + ": not enough memory to load it");
  }
  return Status::Error(name + ": cannot read");
}

}  // namespace

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

namespace {

// The pass's lines numbered as the file's, whose first `lines` lines came before the values.
void NumberFromFileStart(TextPassResult& result, std::uint64_t lines) {
  const auto shift = [lines](std::uint64_t& line) {
    if (line != 0) line += lines;
  };
  shift(result.problemLine);
  shift(result.endMarkLine);
  shift(result.lines.firstLine);
  shift(result.lines.secondLine);
  shift(result.lines.differingLine);
  shift(result.lines.afterDifferingLine);
}

// The least and greatest value as a reading in order finds them, from 1e30 and -1e30.
void Summarize(const float* values, std::uint64_t count, TextGridSummary& summary) {
  const ValueRange range = FindValueRange(values, static_cast<std::size_t>(count));
  summary.count = static_cast<std::uint32_t>(count);
  summary.minimum = std::min(range.minimum, 1e30f);
  summary.maximum = std::max(range.maximum, -1e30f);
}

// The holes a form declares, with the NaN tokens the pass found (`holes` of them, the first at
// `firstHole`, each holding Surfer's blank): their count and the first, marked with a no-data
// marker. Values moved or left out since the pass (moved) have their NaN holes found where they
// lie now.
void MarkHoles(TextGridRead& read, const TextGridStart& start, std::uint64_t holes,
               std::uint64_t firstHole, bool moved) {
  TextGridForm& form = read.form;
  float* const values = read.values.data();
  const std::uint64_t count = read.summary.count;
  if (holes > 0 && moved) {
    holes = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
      if (values[i] == kSurferBlank && holes++ == 0) firstHole = i;
    }
  }
  form.holes = holes;
  form.firstHole = firstHole;
  if (holes > 0 && form.holeMarker.find("NaN") == std::string::npos) {
    form.holeMarker += form.holeMarker.empty() ? "NaN" : " and NaN";
  }
  const auto note = [&form](std::uint64_t i) {
    if (form.holes++ == 0 || i < form.firstHole) form.firstHole = i;
  };
  if (start.noData) {
    const float marker = *start.noData;
    if (marker < read.summary.minimum || marker > read.summary.maximum) return;
    const float hole = IsNoDataMarker(marker) ? marker : kSurferBlank;
    if (marker == kSurferBlank) form.holes = 0;  // the NaN holes are counted among the markers
    for (std::uint64_t i = 0; i < count; ++i) {
      if (values[i] != marker) continue;
      note(i);
      values[i] = hole;
    }
    if (hole != marker) Summarize(values, count, read.summary);
  } else if (form.kind == TextForm::kSurfer && read.summary.maximum >= kSurferBlank) {
    form.holes = 0;  // the NaN holes hold Surfer's blank
    for (std::uint64_t i = 0; i < count; ++i) {
      if (values[i] >= kSurferBlank) note(i);
    }
  }
}

// The first values of each line the user leaves out: columns, or of a file stored column by
// column, rows.
std::uint32_t ValuesLeftOut(const TextReadingChoices& choices) {
  return choices.order == ValueOrder::kColumns ? choices.skipRows : choices.skipColumns;
}

// "1 row left out", "2 columns left out", for the form's line.
void NoteLeftOut(TextGridForm& form, std::uint32_t count, const char* what) {
  if (count == 0) return;
  form.text.push_back(std::to_string(count) + " " + what + (count == 1 ? "" : "s") + " left out");
}

// The first values of every line left out: the columns of a file's rows, or the rows of a file
// stored column by column. Its leading lines were left out with its start (TextGridStart).
Status LeaveOutColumns(TextGridRead& read, const TextReadingChoices& choices,
                       const std::string& name) {
  const bool columns = choices.order == ValueOrder::kColumns;
  NoteLeftOut(read.form, columns ? choices.skipColumns : choices.skipRows,
              columns ? "column" : "row");
  NoteLeftOut(read.form, columns ? choices.skipRows : choices.skipColumns,
              columns ? "row" : "column");
  const std::uint32_t skip = ValuesLeftOut(choices);
  if (skip == 0) return Status();
  std::uint64_t count = read.summary.count;
  const Status left = LeaveOutLeadingValues(read.values.data(), &count, read.lines, skip,
                                            columns ? "column" : "row", name);
  if (!left.ok()) return left;
  read.values.Resize(count);
  Summarize(read.values.data(), count, read.summary);
  return Status();
}

// How the form knows the grid's sizes and steps: what it states, else what the lines show of
// the X size or a guess (GridSizes.h), held as the form's nx and nz.
void KnowFacts(TextGridForm& form, const TextGridLines& lines, std::uint32_t count,
               ValueOrder order) {
  GridFacts& facts = form.facts;
  if (form.statesSteps) facts.dx = facts.dz = {HowKnown::kStated, form.source};
  if (form.statesSizes) {
    facts.nx = facts.nz = {HowKnown::kStated, form.source};
    return;
  }
  const std::vector<std::int32_t> choices = XSizeChoices(count);
  const XSizeProposal proposal = ProposeXSize(choices, count, lines, order);
  if (proposal.index < 0) return;
  form.nx = choices[static_cast<std::size_t>(proposal.index)];
  form.nz = static_cast<std::int32_t>(count / static_cast<std::uint32_t>(form.nx));
  facts.nx = facts.nz = proposal.fact;
}

// A Surfer grid stores its rows from the least y up: an elevation's are turned over, so that the
// top row comes first; the user's choice to turn the rows turns them once they are arranged.
bool SurferRowsTurned(const TextGridForm& form) {
  return form.kind == TextForm::kSurfer &&
         ReadsAsElevation(form.facts.vertical.low, form.facts.vertical.high, VerticalName::kNone);
}

// The triplets' grid, made by their coordinates.
Status PlaceTripletGrid(TextGridRead& read, const TextGridStart& start, const std::string& name,
                        bool turned) {
  const TextGridLines& lines = read.lines;
  if (lines.firstCount != 3 || lines.differingLine != 0) {
    const bool first = lines.firstCount != 3;
    return Status::Error(name + ": line " +
                         std::to_string(first ? lines.firstLine : lines.differingLine) + " holds " +
                         std::to_string(first ? lines.firstCount : lines.differingCount) +
                         " values, not an x z value triplet");
  }
  const std::uint64_t count = read.summary.count;
  const Status placed =
      PlaceTriplets(read.values.data(), count, name, start.columns, turned, read.form);
  if (!placed.ok()) return placed;
  read.values.Resize(count / 3);
  Summarize(read.values.data(), count / 3, read.summary);
  return Status();
}

// The grid of a text with axes, when it has them (or is said to).
Status TakeMatrixGrid(TextGridRead& read, const std::string& name,
                      const TextReadingChoices& choices) {
  const std::uint64_t count = read.summary.count;
  std::uint64_t grid = count;
  const Status axes =
      ReadMatrixWithAxes(read.values.data(), count, read.lines, name,
                         choices.form == TextForm::kMatrix, choices.flipZ, read.form, &grid);
  if (!axes.ok() || grid == count) return axes;
  read.values.Resize(grid);
  Summarize(read.values.data(), grid, read.summary);
  return Status();
}

// The count a header states, against the values that follow it.
Status CheckStatedCount(const TextGridForm& form, std::uint64_t count, const std::string& name) {
  const std::uint64_t expected =
      static_cast<std::uint64_t>(form.nx) * static_cast<std::uint64_t>(form.nz);
  if (count == expected) return Status();
  return Status::Error(name + ": " + SourceGives(form) + " " + std::to_string(form.nx) + " x " +
                       std::to_string(form.nz) + " = " + std::to_string(expected) +
                       " values, but " + std::to_string(count) + " follow it");
}

Status FinishGrid(TextGridRead& read, const TextGridStart& start, const std::string& name,
                  const TextReadingChoices& choices, const TextPassResult& pass) {
  TextGridForm& form = read.form;
  const Status made = start.triplets     ? PlaceTripletGrid(read, start, name, choices.flipZ)
                      : start.matrix     ? TakeMatrixGrid(read, name, choices)
                      : form.statesSizes ? CheckStatedCount(form, read.summary.count, name)
                                         : Status();
  if (!made.ok()) return made;
  if (form.kind == TextForm::kSurfer) {
    if (SurferRowsTurned(form)) {
      ArrangeGrid(read.values.data(), read.summary.count, static_cast<std::uint64_t>(form.nx),
                  ValueOrder::kRows, true);
    }
    VerticalFact& vertical = form.facts.vertical;
    vertical = TakeVertical("y", vertical.low, vertical.high, VerticalName::kNone, choices.flipZ);
    form.taken += ", " + DescribeVertical(vertical);
  }
  const bool moved = start.triplets || form.kind == TextForm::kMatrix || ValuesLeftOut(choices) > 0;
  MarkHoles(read, start, pass.holes, pass.firstHole, moved);
  return Status();
}

// What the form says of its values once they are read: a header's count, the holes, the
// triplets' grid, which way is up, the unit of its coordinates.
Status FinishForm(TextGridRead& read, const TextGridStart& start, const std::string& name,
                  const TextReadingChoices& choices, const TextPassResult& pass) {
  TextGridForm& form = read.form;
  const Status finished = FinishGrid(read, start, name, choices, pass);
  if (!finished.ok() || !choices.coordinatesInKm) return finished;
  return TakeCoordinatesInKm(form, name);
}

}  // namespace

TextGridRead ReadTextGridStream(ByteStream& input, const std::string& name, bool keepValues,
                                const ReadProgress& progress, const TextReadingChoices& choices,
                                const FinalValues& final) {
  TextGridRead read;
  TextGridStream stream(input);
  std::string problem;
  std::string_view head;
  if (!stream.Open(&problem) || !stream.Text().Peek(kTextGridStartBytes, &head, &problem)) {
    read.status = Status::Error(name + ": " + problem);
    return read;
  }
  const TextGridStart start =
      ReadTextGridStart(head, head.size() < kTextGridStartBytes, name, choices);
  if (!start.ok()) {
    read.status = start.status;
    read.commasUndecided = start.commasUndecided;
    return read;
  }
  stream.Text().Skip(start.bytes);
  DecimalCommaStream decimalCommas(stream.Text());
  ByteStream& text = start.decimalCommas ? static_cast<ByteStream&>(decimalCommas) : stream.Text();
  TextPassOptions options;
  // A form's holes, triplets and axes are found in its values, and so are the first values of
  // each line to leave out.
  const bool leftOut = ValuesLeftOut(choices) > 0;
  options.keepValues = keepValues || start.triplets || start.matrix || leftOut ||
                       start.noData.has_value() || start.form.kind == TextForm::kSurfer;
  // Values that are put in another order once read, or left out, are not final as they are read.
  if (!start.triplets && !start.matrix && !leftOut && choices.order == ValueOrder::kRows &&
      !choices.flipZ && !SurferRowsTurned(start.form)) {
    options.finalValues = final;
  }
  TextPassResult result = ReadTextPass(text, progress, options);
  NumberFromFileStart(result, start.lines);
  read.form = start.form;
  read.form.comments.Append(result.comments, start.lines);
  if (!stream.Encoding().empty()) read.form.text.insert(read.form.text.begin(), stream.Encoding());
  read.status = StatusOf(result, name);
  if (read.ok() && result.count == 0) {
    const std::string skipped = DescribeSkippedLines(read.form);
    read.status =
        Status::Error(name + ": holds no values" + (skipped.empty() ? "" : ", only " + skipped));
  }
  if (!read.ok()) return read;
  read.summary.count = static_cast<std::uint32_t>(result.count);
  read.summary.minimum = result.minimum;
  read.summary.maximum = result.maximum;
  read.lines = std::move(result.lines);
  read.values = std::move(result.values);
  read.endMarkLine = result.endMarkLine;
  read.status = LeaveOutColumns(read, choices, name);
  if (read.ok()) {
    read.status = FinishForm(read, start, name, choices, result);
    read.tripletsTold = !read.ok() && start.triplets && !choices.form && !start.columns.named;
  }
  if (read.ok()) KnowFacts(read.form, read.lines, read.summary.count, choices.order);
  if (!read.ok() || !keepValues) read.values = FloatArray();
  return read;
}

namespace {

TextGridRead ReadInput(const std::string& path, const std::string& name, bool keepValues,
                       const ReadProgress& progress, const TextReadingChoices& choices,
                       const FinalValues& final = {}) {
  ReadOnlyFile file;
  std::string reason;
  const bool opened =
      path == kStandardInput ? file.OpenStandardInput(&reason) : file.Open(path, &reason);
  if (!opened) {
    TextGridRead read;
    read.status = Status::Error(name + ": cannot open: " + reason);
    return read;
  }
  FileStream stream(file);
  return ReadTextGridStream(stream, name, keepValues, progress, choices, final);
}

}  // namespace

TextGridRead ReadTextGrid(const std::string& path, const std::string& name,
                          const ReadProgress& progress, const TextReadingChoices& choices,
                          const FinalValues& final) {
  return ReadInput(path, name, true, progress, choices, final);
}

TextGridRead ScanTextGrid(const std::string& path, const std::string& name,
                          const ReadProgress& progress, const TextReadingChoices& choices) {
  return ReadInput(path, name, false, progress, choices);
}

TextGridRead ReadTextGridText(std::string_view text, const std::string& name,
                              const TextReadingChoices& choices) {
  MemoryStream stream(text);
  return ReadTextGridStream(stream, name, true, {}, choices);
}
