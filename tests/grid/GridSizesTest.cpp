#include "grid/GridSizes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

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

}  // namespace
