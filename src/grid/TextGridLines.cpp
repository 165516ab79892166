#include "grid/TextGridLines.h"

namespace {

std::string Values(std::uint64_t count) {
  return std::to_string(count) + (count == 1 ? " value" : " values");
}

// The lines of `later`, numbered from `shift` lines further on, after those of `lines`.
void AppendLines(TextGridLines& lines, const TextGridLines& later, std::uint64_t shift) {
  if (later.linesWithValues == 0) return;
  if (lines.linesWithValues == 0) {
    lines = later;
    lines.firstLine += shift;
    if (lines.differingLine != 0) lines.differingLine += shift;
    return;
  }
  if (lines.differingLine == 0) {
    if (later.firstCount == lines.firstCount) {
      lines.sameInARow += later.sameInARow;
      if (later.differingLine != 0) {
        lines.differingLine = later.differingLine + shift;
        lines.differingCount = later.differingCount;
      }
    } else {
      lines.differingLine = later.firstLine + shift;
      lines.differingCount = later.firstCount;
    }
  }
  lines.linesWithValues += later.linesWithValues;
}

void AppendLine(TextGridLines& lines, std::uint64_t line, std::uint64_t values) {
  if (values == 0) return;
  TextGridLines one;
  one.linesWithValues = one.sameInARow = 1;
  one.firstLine = line;
  one.firstCount = values;
  AppendLines(lines, one, 0);
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
