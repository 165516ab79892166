#include "textgrid/CommaReading.h"

#include <algorithm>

#include "textgrid/LineWords.h"
#include "textgrid/TextChunkParser.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// 1,500 or -12,250: a comma that may as well group thousands.
bool LooksLikeThousands(std::string_view word) {
  if (!word.empty() && (word[0] == '-' || word[0] == '+')) word.remove_prefix(1);
  const std::size_t comma = word.find(',');
  if (comma < 1 || comma > 3 || word.size() != comma + 4) return false;
  return std::all_of(word.begin(), word.begin() + comma, IsDigit) &&
         std::all_of(word.begin() + comma + 1, word.end(), IsDigit);
}

// Whether every line holds the same number of values, counted by `count`.
template <class Count>
bool AllAlike(const std::vector<std::vector<std::string_view>>& words, Count count) {
  for (const auto& line : words) {
    if (count(line) != count(words.front())) return false;
  }
  return true;
}

std::size_t CommasIn(const std::vector<std::string_view>& line) {
  std::size_t commas = 0;
  for (std::string_view word : line) commas += std::count(word.begin(), word.end(), ',');
  return commas;
}

}  // namespace

CommaReading ReadCommas(const std::vector<NumberedLine>& lines, const std::string& name,
                        bool forcedDecimal) {
  CommaReading reading;
  const auto holds = [&lines](char c) {
    return std::any_of(lines.begin(), lines.end(), [c](const NumberedLine& line) {
      return line.text.find(c) != std::string_view::npos;
    });
  };
  if (holds(';')) {
    reading.decimalCommas = true;
    reading.how =
        holds(',') ? "values apart by semicolons, decimal commas" : "values apart by semicolons";
    return reading;
  }
  if (forcedDecimal) {
    reading.decimalCommas = true;
    reading.how = "decimal commas";
    return reading;
  }
  std::vector<std::vector<std::string_view>> words;
  bool blanksBetween = false, innerCommas = false;
  for (const NumberedLine& line : lines) {
    words.push_back(WordsOf(line.text, IsBlank));
    blanksBetween = blanksBetween || words.back().size() > 1;
    for (std::string_view word : words.back()) {
      if (word.find(',') == std::string_view::npos) continue;
      // A comma beside a blank or another comma, or beside decimal points, parts values.
      if (word.front() == ',' || word.back() == ',' || word.find(",,") != std::string_view::npos ||
          word.find('.') != std::string_view::npos) {
        return reading;
      }
      innerCommas = true;
    }
  }
  // Commas alone between the values of a line: comma-separated values.
  if (!innerCommas || !blanksBetween) return reading;

  const NumberedLine* firstLine = nullptr;
  std::string_view first;
  std::size_t place = 0;
  bool allThousands = true;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    for (std::size_t w = 0; w < words[i].size(); ++w) {
      const std::string_view word = words[i][w];
      const std::size_t commas = std::count(word.begin(), word.end(), ',');
      if (commas == 0) continue;
      const std::string where = name + ", line " + std::to_string(lines[i].number) + ", value " +
                                std::to_string(w + 1) + ": \"" + ShownToken(word) + "\"";
      if (commas > 1) {
        reading.refusal = Status::Error(
            where + " holds commas between blanks that may part values, thousands or decimals");
        return reading;
      }
      if (firstLine == nullptr) {
        firstLine = &lines[i];
        first = word;
        place = w + 1;
      }
      allThousands = allThousands && LooksLikeThousands(word);
    }
  }
  if (allThousands) {
    const std::size_t comma = first.find(',');
    const std::string digits =
        std::string(first.substr(0, comma)) + std::string(first.substr(comma + 1));
    reading.refusal = Status::Error(
        name + ", line " + std::to_string(firstLine->number) + ", value " + std::to_string(place) +
        ": \"" + std::string(first) + "\" may be " + std::string(first.substr(0, comma)) + "." +
        std::string(first.substr(comma + 1)) + " with a decimal comma or " + digits +
        " with a thousands separator");
    return reading;
  }
  const bool decimalAlike = AllAlike(words, [](const auto& line) { return line.size(); });
  const bool separatedAlike =
      AllAlike(words, [](const auto& line) { return line.size() + CommasIn(line); });
  if (decimalAlike || !separatedAlike) {
    reading.decimalCommas = true;
    reading.how = "decimal commas";
  }
  return reading;
}
