#include "ui/DataExchange.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "support/FakeDialogWindow.h"

namespace {

TEST(FieldText, NumbersShowWithSixSignificantDigitsIntegersInDecimal) {
  const std::pair<float, const char*> numbers[] = {{1.0f, "1"},
                                                   {0.0f, "0"},
                                                   {1500.5f, "1500.5"},
                                                   {-1e30f, "-1e+30"},
                                                   {0.3048f, "0.3048"},
                                                   {4700.123f, "4700.12"},
                                                   {123456789.0f, "1.23457e+08"},
                                                   {0.0001f, "0.0001"},
                                                   {0.00001f, "1e-05"}};
  for (const auto& [value, text] : numbers) EXPECT_EQ(FormatNumberField(value), text);
  EXPECT_EQ(FormatIntegerField(87000), "87000");
  EXPECT_EQ(FormatIntegerField(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

TEST(FieldText, IntegerFieldsAcceptBlanksSignAndDigits) {
  const std::pair<const char*, std::int32_t> accepted[] = {
      {"  12\t ", 12},
      {"\t-7", -7},
      {"+3", 3},
      {"-0", 0},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()}};
  for (const auto& [text, expected] : accepted) {
    std::int32_t value = -99;
    EXPECT_TRUE(ParseIntegerField(text, value)) << '"' << text << '"';
    EXPECT_EQ(value, expected) << '"' << text << '"';
  }
}

TEST(FieldText, IntegerFieldsRefuseAnythingElseAndKeepTheValue) {
  for (const char* text : {"", " ", "abc", "12a", "1 2", "1.5", "1e3", "+", "-", "--1", "0x10",
                           "2147483648", "-2147483649", "99999999999999999999999"}) {
    std::int32_t value = 42;
    EXPECT_FALSE(ParseIntegerField(text, value)) << '"' << text << '"';
    EXPECT_EQ(value, 42);
  }
}

TEST(FieldText, NumberFieldsAcceptWholeDecimalNumbers) {
  const std::pair<const char*, float> accepted[] = {
      {" 2.5\t", 2.5f},  {"-1e3", -1000.0f}, {"+1.5E+2", 150.0f},
      {".5", 0.5f},      {"7.", 7.0f},       {"3.4028234e38", std::numeric_limits<float>::max()},
      {"1e-50", 0.0f},                    // below a float: zero
      {"-1e-400", 0.0f}, {"0.1", 0.1f}};  // correctly rounded
  for (const auto& [text, expected] : accepted) {
    float value = -99.0f;
    EXPECT_TRUE(ParseNumberField(text, value)) << '"' << text << '"';
    EXPECT_EQ(value, expected) << '"' << text << '"';
  }
}

TEST(FieldText, NumberFieldsRefuseWhatIsNotAFiniteFloat) {
  for (const char* text : {"",    "  ",     "abc",       "1e",    "1e+",
                           "e5",  ".",      "-.",        "1.2.3", "1,5",
                           "nan", "inf",    "-infinity", "0x10",  "12a",
                           "1 2", "3.5e38", "-3.5e38",   "1e400", "1e99999999999999999999"}) {
    float value = 42.0f;
    EXPECT_FALSE(ParseNumberField(text, value)) << '"' << text << '"';
    EXPECT_EQ(value, 42.0f);
  }
}

struct Members {
  std::int32_t count = 0;
  float step = 1.0f;
  std::string name = "*.txt";
  std::int32_t size = 0;

  void Exchange(DataExchange& exchange) {
    exchange.Text(1, count);
    exchange.Text(2, step);
    exchange.Text(3, name);
    exchange.Text(4, size);
  }
};

TEST(DataExchange, ShowWritesEveryMemberAndTakeInReadsItBackUnchanged) {
  FakeDialogWindow window;
  Members shown{2147483647, 12.5f, "a b.txt", -2147483647 - 1};
  DataExchange show(window, false);
  shown.Exchange(show);
  EXPECT_FALSE(show.failed());
  EXPECT_EQ(window.GetControlText(1), "2147483647");
  EXPECT_EQ(window.GetControlText(2), "12.5");
  EXPECT_EQ(window.GetControlText(3), "a b.txt");
  EXPECT_EQ(window.GetControlText(4), "-2147483648");
  Members back{0, 0.0f, "", 0};
  DataExchange takeIn(window, true);
  back.Exchange(takeIn);
  EXPECT_FALSE(takeIn.failed());
  EXPECT_EQ(back.count, shown.count);
  EXPECT_EQ(back.step, shown.step);
  EXPECT_EQ(back.name, shown.name);
  EXPECT_EQ(back.size, shown.size);
  EXPECT_TRUE(window.messages.empty());
}

TEST(DataExchange, BadNumberIsReportedOnceAndEndsTheTakeIn) {
  FakeDialogWindow window;
  for (const auto& [id, text] :
       {std::pair<int, const char*>{1, "7"}, {2, "abc"}, {3, "new.txt"}, {4, "9"}}) {
    window.Type(id, text);
  }
  Members members;
  DataExchange takeIn(window, true);
  members.Exchange(takeIn);
  EXPECT_TRUE(takeIn.failed());
  EXPECT_EQ(members.count, 7);  // before the bad field: taken in
  EXPECT_EQ(members.step, 1.0f);
  EXPECT_EQ(members.name, "*.txt");  // after it: untouched
  EXPECT_EQ(members.size, 0);
  EXPECT_EQ(window.messages, std::vector<std::string>{"Please enter a number."});
}

TEST(DataExchange, BadIntegerIsReportedAsSuch) {
  FakeDialogWindow window;
  window.Type(1, "1.5");
  Members members;
  DataExchange takeIn(window, true);
  members.Exchange(takeIn);
  EXPECT_TRUE(takeIn.failed());
  EXPECT_EQ(members.count, 0);
  EXPECT_EQ(members.name, "*.txt");
  EXPECT_EQ(window.messages, std::vector<std::string>{"Please enter an integer."});
}

}  // namespace
