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
  EXPECT_EQ(XSizeChoices(12), (Sizes{2, 3, 4, 6}));
  EXPECT_EQ(Proposal(12), 3);
  EXPECT_EQ(XSizeChoices(9), (Sizes{3}));
  EXPECT_EQ(Proposal(9), 3);
  EXPECT_EQ(XSizeChoices(8), (Sizes{2, 4}));
  EXPECT_EQ(Proposal(8), 2);
  EXPECT_EQ(XSizeChoices(6), (Sizes{2, 3}));
  EXPECT_EQ(Proposal(6), 2);
  EXPECT_EQ(XSizeChoices(4), (Sizes{2}));
  EXPECT_EQ(Proposal(4), 2);
}

TEST(XSizeChoices, PrimesAndTinyCountsOfferNothing) {
  for (std::uint32_t count : {0u, 1u, 2u, 3u, 5u, 101u, 65521u, 2147483647u, 4294967291u}) {
    EXPECT_TRUE(XSizeChoices(count).empty()) << count;
    EXPECT_EQ(ProposedXSizeIndex(XSizeChoices(count), count), -1) << count;
  }
}

TEST(XSizeChoices, WiderThanDeepModelIsOffered) {
  // The marmousi2 grid: 500 values a row, 174 rows.
  const Sizes choices = XSizeChoices(87000);
  EXPECT_NE(std::find(choices.begin(), choices.end(), 500), choices.end());
  EXPECT_NE(std::find(choices.begin(), choices.end(), 174), choices.end());
  EXPECT_EQ(choices.back(), 43500);
  EXPECT_EQ(Proposal(87000), 290);  // 294 * 294 <= 87000; 291..294 do not divide it
}

TEST(XSizeChoices, MatchesEveryDivisorByBruteForce) {
  for (std::uint32_t count = 0; count <= 3000; ++count) {
    Sizes expected;
    for (std::uint32_t d = 2; d <= count / 2; ++d) {
      if (count % d == 0) expected.push_back(static_cast<std::int32_t>(d));
    }
    ASSERT_EQ(XSizeChoices(count), expected) << count;
    std::int32_t proposal = -1;
    for (std::int32_t d : expected) {
      if (static_cast<std::uint64_t>(d) * d <= count) proposal = d;
    }
    ASSERT_EQ(Proposal(count), proposal) << count;
  }
}

TEST(XSizeChoices, LargeCountsKeepTheirExtremes) {
  // 2^31 = 2 * 2^30: the largest choice is half the count and still fits a signed 32-bit size.
  const Sizes choices = XSizeChoices(2147483648u);
  ASSERT_EQ(choices.size(), 30u);
  EXPECT_EQ(choices.front(), 2);
  EXPECT_EQ(choices.back(), 1073741824);
  EXPECT_EQ(Proposal(2147483648u), 32768);  // 46340 is the root; 2^15 the largest power below
  EXPECT_EQ(Proposal(46340u * 46341u), 46340);
  EXPECT_EQ(Proposal(4294836225u), 65535);  // 65535 squared
  EXPECT_EQ(XSizeChoices(4294967294u).back(), 2147483647);
}

TEST(ProposedXSizeIndex, IsMinusOneWhenNoChoiceFits) {
  EXPECT_EQ(ProposedXSizeIndex({}, 100), -1);
  EXPECT_EQ(ProposedXSizeIndex({20, 50}, 100), -1);
  EXPECT_EQ(ProposedXSizeIndex({2, 10, 20, 2, 10, 20}, 100), 1);  // first of equal choices
}

TEST(IntegerSquareRoot, IsExactWhereFloatingPointTruncationSlips) {
  for (std::uint64_t m : {0ull, 1ull, 2ull, 46340ull, 46341ull, 65535ull, 65536ull, 16777217ull,
                          94906265ull, 4294967295ull}) {
    EXPECT_EQ(IntegerSquareRoot(m * m), m) << m;
    if (m > 0) {
      EXPECT_EQ(IntegerSquareRoot(m * m - 1), m - 1) << m;
    }
  }
  EXPECT_EQ(IntegerSquareRoot(2147483647u), 46340u);
  EXPECT_EQ(IntegerSquareRoot(4294967295u), 65535u);
  EXPECT_EQ(IntegerSquareRoot(18446744073709551615ull), 4294967295u);
}

TEST(CheckNxWrite, RefusesAboveTheInputAndBelowOne) {
  EXPECT_TRUE(CheckNxWrite(5, 10).ok);
  EXPECT_TRUE(CheckNxWrite(10, 10).ok);
  EXPECT_EQ(CheckNxWrite(10, 10).message, "");
  const SizeCheck tooWide = CheckNxWrite(12, 10);
  EXPECT_FALSE(tooWide.ok);
  EXPECT_EQ(tooWide.message, "Size nx=12 to Write could not be greater then nx=10 in input file");
  EXPECT_EQ(CheckNxWrite(0, 10).message, "Size nx=0 to Write could not be less then 1");
  EXPECT_EQ(CheckNxWrite(-3, 10).message, "Size nx=-3 to Write could not be less then 1");
  EXPECT_EQ(CheckNxWrite(1, 0).message,
            "Size nx=1 to Write could not be greater then nx=0 in input file");
  EXPECT_FALSE(CheckNxWrite(-2147483647 - 1, 5).ok);
}

TEST(CheckNzWrite, RefusesAboveTheInputBelowOneAndBeyondTheRowsThatExist) {
  EXPECT_TRUE(CheckNzWrite(25, 25, 100, 4).ok);
  EXPECT_TRUE(CheckNzWrite(1, 25, 100, 4).ok);
  EXPECT_EQ(CheckNzWrite(26, 25, 100, 4).message,
            "Size nz=26 to Write could not be greater then nz=25 in input file");
  EXPECT_EQ(CheckNzWrite(0, 25, 100, 4).message, "Size nz=0 to Write could not be less then 1");
  EXPECT_EQ(CheckNzWrite(-1, 25, 100, 4).message, "Size nz=-1 to Write could not be less then 1");
  // The Z size in input was typed over: only 25 rows of 4 exist.
  const SizeCheck beyondRows = CheckNzWrite(26, 30, 100, 4);
  EXPECT_FALSE(beyondRows.ok);
  EXPECT_EQ(beyondRows.message,
            "Size nz=26 to Write could not be greater then 25 rows in input file");
  // A partial last row is no row: 10 values of 4 make 2 rows.
  EXPECT_EQ(CheckNzWrite(3, 3, 10, 4).message,
            "Size nz=3 to Write could not be greater then 2 rows in input file");
  EXPECT_EQ(CheckNzWrite(1, 5, 100, 0).message,
            "Size nz=1 to Write could not be greater then 0 rows in input file");
  EXPECT_EQ(CheckNzWrite(1, 5, 100, -4).message,
            "Size nz=1 to Write could not be greater then 0 rows in input file");
  // Counts beyond the signed range: 4e9 values in rows of 1 are more rows than any nzWrite.
  EXPECT_TRUE(CheckNzWrite(2147483647, 2147483647, 4000000000u, 1).ok);
  EXPECT_EQ(CheckNzWrite(2147483647, 2147483647, 4000000000u, 2).message,
            "Size nz=2147483647 to Write could not be greater then 2000000000 rows in input file");
}

}  // namespace
