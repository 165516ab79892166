#include "grid/GridSizes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

using Sizes = std::vector<std::int32_t>;

std::int32_t Proposal(std::uint32_t count) {
  const Sizes choices = XSizeChoices(count);
  const int index = ProposedXSizeIndex(choices, count);
  return index < 0 ? -1 : choices[index];
}

TEST(XSizeChoices, OffersEveryDivisorUpToHalfTheCountAndProposesTheSquarest) {
  EXPECT_EQ(XSizeChoices(100), (Sizes{2, 4, 5, 10, 20, 25, 50}));
  EXPECT_EQ(Proposal(100), 10);
  EXPECT_EQ(XSizeChoices(4), (Sizes{2}));
  for (std::uint32_t none : {0u, 1u, 3u, 101u, 2147483647u}) {
    EXPECT_TRUE(XSizeChoices(none).empty()) << none;
    EXPECT_EQ(ProposedXSizeIndex(XSizeChoices(none), none), -1) << none;
  }
  // marmousi2 is 500 wide and 174 deep: its width must be on offer.
  const Sizes marmousi = XSizeChoices(87000);
  EXPECT_NE(std::find(marmousi.begin(), marmousi.end(), 500), marmousi.end());
  EXPECT_EQ(Proposal(87000), 290);  // the root is 294; 291 to 294 do not divide 87000
}

TEST(XSizeChoices, MatchesBruteForceAndKeepsLargeCountsExact) {
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
  EXPECT_EQ(XSizeChoices(2147483648u).back(), 1073741824);
  EXPECT_EQ(Proposal(2147483648u), 32768);
  EXPECT_EQ(Proposal(46340u * 46341u), 46340);
  EXPECT_EQ(Proposal(4294836225u), 65535);  // 65535 squared
  EXPECT_EQ(XSizeChoices(4294967294u).back(), 2147483647);
  EXPECT_EQ(ProposedXSizeIndex({2, 10, 20, 2, 10, 20}, 100), 1);  // the first of equals
}

TEST(SizeChecks, RefuseAboveTheInputBelowOneAndBeyondTheRowsThatExist) {
  EXPECT_TRUE(CheckNxWrite(10, 10).ok());
  EXPECT_EQ(CheckNxWrite(10, 10).message(), "");
  EXPECT_EQ(CheckNxWrite(12, 10).message(),
            "Size nx=12 to Write could not be greater then nx=10 in input file");
  EXPECT_EQ(CheckNxWrite(0, 10).message(), "Size nx=0 to Write could not be less then 1");
  EXPECT_FALSE(CheckNxWrite(-3, 10).ok());

  EXPECT_TRUE(CheckNzWrite(25, 25, 100, 4).ok());
  EXPECT_EQ(CheckNzWrite(26, 25, 100, 4).message(),
            "Size nz=26 to Write could not be greater then nz=25 in input file");
  EXPECT_EQ(CheckNzWrite(-1, 25, 100, 4).message(), "Size nz=-1 to Write could not be less then 1");
  // The Z size in input was typed over; 10 values in rows of 4 make 2 whole rows.
  EXPECT_EQ(CheckNzWrite(26, 30, 100, 4).message(),
            "Size nz=26 to Write could not be greater then 25 rows in input file");
  EXPECT_EQ(CheckNzWrite(3, 3, 10, 4).message(),
            "Size nz=3 to Write could not be greater then 2 rows in input file");
  EXPECT_FALSE(CheckNzWrite(1, 5, 100, 0).ok());
  // More rows than a signed 32-bit count holds.
  EXPECT_TRUE(CheckNzWrite(2147483647, 2147483647, 4000000000u, 1).ok());
}

}  // namespace
