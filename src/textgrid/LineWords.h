#pragma once
// The words of one line of a text grid's start, as its form is told: the runs of characters
// between separators, which differ by what is being told (blanks alone between numbers whose
// commas are in question; commas and semicolons too between a header's words).

#include <string_view>
#include <vector>

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

template <class IsSeparator>
std::vector<std::string_view> WordsOf(std::string_view line, IsSeparator isSeparator) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && isSeparator(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !isSeparator(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}
