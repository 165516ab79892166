#include "textgrid/TextGridForm.h"

void SkippedLines::Add(std::uint64_t line) {
  ++count;
  AddSpan({line, line});
}

// Spans come in increasing order; once one is left out, so is every later one.
void SkippedLines::AddSpan(const LineSpan& span) {
  if (more) return;
  if (!spans.empty() && spans.back().last + 1 == span.first) {
    spans.back().last = span.last;
  } else if (spans.size() < kShownSpans) {
    spans.push_back(span);
  } else {
    more = true;
  }
}

void SkippedLines::Append(const SkippedLines& later, std::uint64_t shift) {
  for (const LineSpan& span : later.spans) AddSpan({span.first + shift, span.last + shift});
  more = more || later.more;
  count += later.count;
}

std::string DescribeSkipped(const SkippedLines& lines, const std::string& what) {
  if (lines.count == 0) return {};
  std::string text = std::to_string(lines.count) + " " + what + (lines.count == 1 ? "" : "s");
  std::string where;
  for (const LineSpan& span : lines.spans) {
    where += (where.empty() ? "" : ", ") + std::to_string(span.first);
    if (span.last != span.first) where += "-" + std::to_string(span.last);
  }
  if (lines.more) where += ", ...";
  return text + " (" + where + ")";
}

std::string DescribeForm(const TextGridForm& form) {
  std::string text = form.name;
  if (!form.taken.empty()) text += ", " + form.taken;
  for (const std::string& how : form.text) text += ", " + how;
  return text;
}

std::string SourceGives(const TextGridForm& form) {
  const bool plural = form.kind == TextForm::kTriplets || form.kind == TextForm::kMatrix;
  return form.source + (plural ? " give" : " gives");
}

std::string DescribeSkippedLines(const TextGridForm& form) {
  std::string text = DescribeSkipped(form.titles, "title line");
  const std::string comments = DescribeSkipped(form.comments, "comment line");
  if (!comments.empty()) text += (text.empty() ? "" : ", ") + comments;
  return text;
}

std::string DescribeReading(const TextGridForm& form) {
  const std::string skipped = DescribeSkippedLines(form);
  const bool plain = form.kind == TextForm::kPlain && form.text.empty();
  std::string text = plain ? std::string() : DescribeForm(form);
  if (!skipped.empty()) text += (text.empty() ? "skipped " : "; skipped ") + skipped;
  return text;
}
