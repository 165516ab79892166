#include "textgrid/TextGridLines.h"

#include <numeric>

namespace {

std::string Values(std::uint64_t count) {
  return std::to_string(count) + (count == 1 ? " value" : " values");
}

void AppendRun(TextGridLines& lines, const LineRun& run) {
  if (lines.tooManyRuns) return;
  if (!lines.runs.empty() && lines.runs.back().values == run.values) {
    lines.runs.back().lines += run.lines;
  } else if (lines.runs.size() < kMaxLineRuns) {
    lines.runs.push_back(run);
  } else {
    lines.runs = {};
    lines.tooManyRuns = true;
  }
}

// The lines of `later`, numbered from `shift` lines further on, after those of `lines`.
void AppendLines(TextGridLines& lines, const TextGridLines& later, std::uint64_t shift) {
  if (later.linesWithValues == 0) return;
  const auto shifted = [shift](std::uint64_t line) { return line == 0 ? 0 : line + shift; };
  if (lines.linesWithValues == 0) {
    lines = later;
    lines.firstLine += shift;
    lines.secondLine = shifted(lines.secondLine);
    lines.differingLine = shifted(lines.differingLine);
    lines.afterDifferingLine = shifted(lines.afterDifferingLine);
    return;
  }
  if (lines.linesWithValues == 1) lines.secondLine = later.firstLine + shift;
  if (lines.differingLine == 0) {
    if (later.firstCount == lines.firstCount) {
      lines.sameInARow += later.sameInARow;
      if (later.differingLine != 0) {
        lines.differingLine = later.differingLine + shift;
        lines.differingCount = later.differingCount;
        lines.afterDifferingLine = shifted(later.afterDifferingLine);
      }
    } else {
      lines.differingLine = later.firstLine + shift;
      lines.differingCount = later.firstCount;
      lines.afterDifferingLine = shifted(later.secondLine);
    }
  } else if (lines.afterDifferingLine == 0) {
    lines.afterDifferingLine = later.firstLine + shift;
  }
  lines.linesWithValues += later.linesWithValues;
  lines.lengthDivisor = std::gcd(lines.lengthDivisor, later.lengthDivisor);
  if (later.tooManyRuns) {
    lines.runs = {};
    lines.tooManyRuns = true;
  }
  for (const LineRun& run : later.runs) AppendRun(lines, run);
}

// One line, without a temporary tally: this runs for every line of a file.
void AppendLine(TextGridLines& lines, std::uint64_t line, std::uint64_t values) {
  if (values == 0) return;
  if (lines.linesWithValues++ == 0) {
    lines.firstLine = line;
    lines.firstCount = values;
  } else if (lines.linesWithValues == 2) {
    lines.secondLine = line;
  }
  if (lines.differingLine != 0 && lines.afterDifferingLine == 0) lines.afterDifferingLine = line;
  if (lines.differingLine == 0) {
    if (values == lines.firstCount) {
      ++lines.sameInARow;
    } else {
      lines.differingLine = line;
      lines.differingCount = values;
    }
  }
  lines.lengthDivisor = std::gcd(lines.lengthDivisor, values);
  AppendRun(lines, LineRun{values, 1});
}

}  // namespace

std::string DescribeLines(const TextGridLines& lines) {
  if (lines.linesWithValues == 0) return "no values";
  std::string text = std::to_string(lines.sameInARow) +
                     (lines.sameInARow == 1 ? " line of " : " lines of ") +
                     Values(lines.firstCount);
  if (lines.differingLine != 0) {
    text += ", then line " + std::to_string(lines.differingLine) + " holds " +
            Values(lines.differingCount);
  }
  return text;
}

void LineTally::EndLine() {
  if (lineEnds_ > 0) AppendLine(inner_, lineEnds_ + 1, tailValues_);
  tailValues_ = 0;
  ++lineEnds_;
}

void LineTally::Append(const LineTally& next) {
  if (next.lineEnds_ == 0) {
    AddValues(next.headValues_);
    return;
  }
  if (lineEnds_ == 0) {
    headValues_ += next.headValues_;
  } else {
    AppendLine(inner_, lineEnds_ + 1, tailValues_ + next.headValues_);
  }
  AppendLines(inner_, next.inner_, lineEnds_);
  tailValues_ = next.tailValues_;
  lineEnds_ += next.lineEnds_;
}

TextGridLines LineTally::Finish() const {
  TextGridLines lines;
  AppendLine(lines, 1, headValues_);
  AppendLines(lines, inner_, 0);
  if (lineEnds_ > 0) AppendLine(lines, lineEnds_ + 1, tailValues_);
  return lines;
}
