#include "textgrid/GridSizes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "textgrid/TextGridReader.h"

namespace {

using Sizes = std::vector<std::int32_t>;

std::int32_t Proposal(std::uint32_t count) {
  const Sizes choices = XSizeChoices(count);
  const int index = ProposedXSizeIndex(choices, count);
  return index < 0 ? -1 : choices[index];
}

// Every divisor from 2 to half the count is offered; the proposal is the largest not above the
// square root.
TEST(XSizeChoices, MatchBruteForceAndStayExactForLargeCounts) {
  for (std::uint32_t count = 0; count <= 3000; ++count) {
    Sizes expected;
    std::int32_t proposal = -1;
    for (std::uint32_t d = 2; d <= count / 2; ++d) {
      if (count % d != 0) continue;
      expected.push_back(static_cast<std::int32_t>(d));
      if (d * d <= count) proposal = static_cast<std::int32_t>(d);
    }
    ASSERT_EQ(XSizeChoices(count), expected) << count;
    ASSERT_EQ(Proposal(count), proposal) << count;
  }
  EXPECT_EQ(Proposal(46340u * 46341u), 46340);
  EXPECT_EQ(XSizeChoices(2147483646u).back(), 1073741823);  // near the most values of a text grid
}

// An X size fits a file when its lines hold whole rows or its rows wrap over whole lines; the
// lines propose the one they say: their length, or the narrowest rows that wrap over them.
TEST(XSizeChoices, TheLinesSayWhichSizesFitThemAndWhichToPropose) {
  const struct {
    std::string text;
    Sizes fitting;
    std::int32_t proposal;
  } cases[] = {
      {"1 2 3 4 5 6\n7 8 9 10 11 12\n", {2, 3, 6}, 6},
      {"1 2 3\n4 5\n6 7 8\n9 10\n", {5}, 5},           // rows of 5 wrapped 3 + 2
      {"1 2 3 4\n5 6\n7 8 9 10\n11 12\n", {2, 6}, 6},  // 6 wraps; 2 is held whole
      {"1\n2\n3\n4\n5\n6\n7\n8\n", {2, 4}, 2},         // one value a line: any size
      {"1 2 3 4 5 6 7 8\n", {2, 4}, 2},                // one line: any size
      {"1 2 3\n4 5 6\n7 8\n", {}, 2},                  // a value missing
  };
  for (const auto& c : cases) {
    const TextGridRead scan = ReadTextGridText(c.text, "t.txt");
    const Sizes choices = XSizeChoices(scan.summary.count);
    Sizes fitting;
    for (std::int32_t nx : choices) {
      if (XSizeFitsLines(nx, scan.lines)) fitting.push_back(nx);
    }
    EXPECT_EQ(fitting, c.fitting) << c.text;
    EXPECT_EQ(choices[ProposedXSizeIndex(choices, scan.summary.count, scan.lines)], c.proposal)
        << c.text;
  }
}

}  // namespace
