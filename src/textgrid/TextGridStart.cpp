#include "textgrid/TextGridStart.h"

#include <algorithm>
#include <vector>

#include "grid/DecimalNumber.h"
#include "textgrid/CommaReading.h"
#include "textgrid/EsriHeader.h"
#include "textgrid/LineWords.h"
#include "textgrid/MatrixWithAxes.h"
#include "textgrid/SurferHeader.h"
#include "textgrid/TextChunkParser.h"
#include "textgrid/TripletGrid.h"

namespace {

// The complete lines of a text's start, in order (the last one too when the text ends there).
class LineCursor {
 public:
  LineCursor(std::string_view head, bool whole) : head_(head), whole_(whole) {}
  bool Next(std::string_view* line) {
    if (at_ >= head_.size()) return false;
    std::size_t end = head_.find_first_of("\r\n", at_);
    std::size_t after = end + 1;
    if (end == std::string_view::npos) {
      if (!whole_) return false;
      end = after = head_.size();
    } else if (head_[end] == '\r') {
      if (after == head_.size() && !whole_) return false;  // a line feed may follow
      if (after < head_.size() && head_[after] == '\n') ++after;
    }
    *line = head_.substr(at_, end - at_);
    at_ = after;
    ++number_;
    return true;
  }
  std::size_t Offset() const { return at_; }        // after the last line given
  std::uint64_t Number() const { return number_; }  // of the last line given

 private:
  std::string_view head_;
  bool whole_;
  std::size_t at_ = 0;
  std::uint64_t number_ = 0;
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsWordSeparator(char c) { return IsBlank(c) || c == ',' || c == ';'; }

bool IsNumber(std::string_view word) {
  return ReadDecimal(word).status != DecimalStatus::kNotANumber;
}

// A word, as titles hold them: it starts with a letter and is no number (NaN and inf are).
bool IsWord(std::string_view word) {
  return (IsLetter(word[0]) || static_cast<unsigned char>(word[0]) >= 0x80) && !IsNumber(word);
}

// A title or column names: printable words, some letter among them, and no number.
bool IsTitle(std::string_view line, const std::vector<std::string_view>& words) {
  bool letter = false;
  for (const char c : line) {
    const unsigned char u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\t') || u == 0x7F) return false;
    letter = letter || IsLetter(c) || u >= 0x80;
  }
  return letter && std::none_of(words.begin(), words.end(), IsNumber);
}

// A leading line of words and numbers is neither a title nor values: refused, naming both.
Status MixedLine(const std::vector<std::string_view>& words, const std::string& where) {
  const auto word = std::find_if(words.begin(), words.end(), IsWord);
  const auto number = std::find_if(words.begin(), words.end(), IsNumber);
  if (word == words.end() || number == words.end()) return Status();
  return Status::Error(where + " mixes words and numbers (\"" + ShownToken(*word) + "\", \"" +
                       ShownToken(*number) +
                       "\"): it is neither a title nor a line of values (a # before it makes it "
                       "a comment)");
}

// Passes over the first `count` lines of values from where the start ends, the comment lines
// among them noted; refused when they run beyond the text's start that is looked at.
Status PassOverLeadingLines(std::string_view head, bool whole, std::uint32_t count,
                            const std::string& name, TextGridStart& start) {
  LineCursor cursor(head.substr(start.bytes), whole);
  std::string_view line;
  std::uint32_t passed = 0;
  while (passed < count && cursor.Next(&line)) {
    std::size_t first = 0;
    while (first < line.size() && IsBlank(line[first])) ++first;
    if (first < line.size() && IsCommentMark(line[first])) {
      start.form.comments.Add(start.lines + cursor.Number());
    } else if (first < line.size()) {
      ++passed;
    }
  }
  if (passed < count && !whole) {
    return Status::Error(name + ": the " + std::to_string(count) +
                         " lines of values to leave out run beyond its first " +
                         std::to_string(kTextGridStartBytes >> 10) + " KiB");
  }
  start.bytes += cursor.Offset();
  start.lines += cursor.Number();
  return Status();
}

}  // namespace

TextGridStart ReadTextGridStart(std::string_view head, bool whole, const std::string& name,
                                const TextReadingChoices& choices) {
  TextGridStart start;
  TextGridForm& form = start.form;
  // A character 26 ends the text.
  const std::size_t mark = head.find('\x1a');
  if (mark != std::string_view::npos) {
    head = head.substr(0, mark);
    whole = true;
  }
  LineCursor cursor(head, whole);
  // Only the form chosen is looked for.
  const std::optional<TextForm>& chosen = choices.form;
  const bool esriHeaders = !chosen || *chosen == TextForm::kEsri;
  const bool surferHeaders = !chosen || *chosen == TextForm::kSurfer;
  EsriHeader esri;
  SurferHeader surfer;
  bool inEsri = false, inSurfer = false;
  std::vector<std::string> titleWords;  // of the last title line: column names?
  std::uint64_t titleLine = 0;
  // The rows (of a file stored column by column, the columns) left out: its first lines.
  const std::uint32_t leadingLines =
      choices.order == ValueOrder::kColumns ? choices.skipColumns : choices.skipRows;
  std::string_view line;
  bool values = false;
  while (cursor.Next(&line)) {
    const std::string where = name + ", line " + std::to_string(cursor.Number());
    std::size_t first = 0;
    while (first < line.size() && IsBlank(line[first])) ++first;
    const std::vector<std::string_view> words = WordsOf(line, IsWordSeparator);
    Status status;
    if (first < line.size() && IsCommentMark(line[first])) {
      form.comments.Add(cursor.Number());
    } else if (words.empty()) {
      // A blank line.
    } else if (inSurfer && !surfer.Complete()) {
      for (const std::string_view word : words) {
        status = surfer.Complete() ? Status::Error(where + ": \"" + ShownToken(word) +
                                                   "\" follows the Surfer grid header's zhi")
                                   : surfer.Take(word, where);
        if (!status.ok()) break;
      }
    } else if (surferHeaders && !inEsri && !inSurfer && words.size() == 1 &&
               IsSurferMark(words[0])) {
      inSurfer = true;
    } else if (esriHeaders && !inSurfer &&
               (inEsri ? !IsNumber(words[0])
                       : IsEsriKey(words[0]) && words.size() == 2 && IsNumber(words[1]))) {
      inEsri = true;
      status = words.size() == 2
                   ? esri.Take(words[0], words[1], where)
                   : Status::Error(where +
                                   ": an ESRI ASCII grid header's line holds a key and "
                                   "its value, not \"" +
                                   ShownToken(line.substr(first)) + "\"");
    } else if (!inEsri && !inSurfer && IsTitle(line, words)) {
      form.titles.Add(cursor.Number());
      titleWords.assign(words.begin(), words.end());
      titleLine = cursor.Number();
    } else {
      // A line of words and numbers the user leaves out is left out with the rows.
      if (!inEsri && !inSurfer && leadingLines == 0) status = MixedLine(words, where);
      if (status.ok()) {
        values = true;
        break;
      }
    }
    if (!status.ok()) {
      start.status = status;
      return start;
    }
    start.bytes = cursor.Offset();
    start.lines = cursor.Number();
  }
  if (inSurfer && !surfer.Complete()) {
    start.status = Status::Error(name +
                                 ": its Surfer grid header ends before its nx ny, xlo xhi, ylo "
                                 "yhi and zlo zhi");
    return start;
  }
  if (inSurfer) start.status = surfer.Finish(name, form);
  if (inEsri) {
    start.status = esri.Finish(name, form);
    start.noData = esri.NoData();
  }
  if (start.ok() && chosen && *chosen == TextForm::kEsri && !inEsri) {
    start.status = Status::Error(name +
                                 " is not an ESRI ASCII grid: no ESRI ASCII grid header (ncols, "
                                 "nrows, cellsize ...) comes before its values");
  }
  if (start.ok() && chosen && *chosen == TextForm::kSurfer && !inSurfer) {
    start.status = Status::Error(name + " is not a Surfer ASCII grid: it does not begin with DSAA");
  }
  if (start.ok() && values && leadingLines > 0) {
    start.status = PassOverLeadingLines(head, whole, leadingLines, name, start);
  }
  if (!start.ok()) return start;

  // The lines of values at the start tell how commas read and whether they are triplets.
  std::vector<NumberedLine> lines;
  if (values) {
    LineCursor rest(head.substr(start.bytes), whole);
    while (rest.Next(&line)) {
      std::size_t first = 0;
      while (first < line.size() && IsBlank(line[first])) ++first;
      if (first == line.size() || IsCommentMark(line[first])) continue;
      lines.push_back({start.lines + rest.Number(), line});
    }
  }
  const CommaReading commas = ReadCommas(lines, name, choices.decimalComma);
  if (!commas.refusal.ok()) {
    start.status = commas.refusal;
    start.commasUndecided = true;
    return start;
  }
  start.decimalCommas = commas.decimalCommas;
  if (!commas.how.empty()) form.text.push_back(commas.how);
  const bool named = form.titles.count > 0 && titleWords.size() == 3;
  TripletColumns columns;
  const Status columnsNamed =
      named ? ColumnsNamed(titleWords, name + ", line " + std::to_string(titleLine), &columns)
            : Status();
  const bool told = !chosen && form.kind == TextForm::kPlain;
  start.triplets = (chosen && *chosen == TextForm::kTriplets) ||
                   (told && LooksLikeTriplets(lines, commas.decimalCommas, named, columns));
  if (start.triplets) {
    start.status = columnsNamed;
    start.columns = columns;
  }
  // A matrix's lines hold its rows.
  start.matrix = (chosen && *chosen == TextForm::kMatrix) ||
                 (told && !start.triplets && choices.order == ValueOrder::kRows &&
                  LooksLikeMatrixWithAxes(lines, commas.decimalCommas));
  return start;
}
