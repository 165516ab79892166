#include "cli/CommandLine.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

const OptionRule* FindLong(const std::vector<OptionRule>& rules, std::string_view name) {
  for (const OptionRule& rule : rules) {
    if (rule.name == name) return &rule;
  }
  return nullptr;
}

const OptionRule* FindShort(const std::vector<OptionRule>& rules, char name) {
  for (const OptionRule& rule : rules) {
    if (rule.shortName != 0 && rule.shortName == name) return &rule;
  }
  return nullptr;
}

bool LooksLikeOption(const std::string& arg, const std::vector<OptionRule>& rules) {
  if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) return true;
  return arg.size() == 2 && arg[0] == '-' && FindShort(rules, arg[1]) != nullptr;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

}  // namespace

const std::string& ParsedCommandLine::Value(const std::string& name) const {
  static const std::string kNone;
  const auto found = values.find(name);
  return found == values.end() ? kNone : found->second;
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args,
                                   const std::vector<OptionRule>& rules) {
  ParsedCommandLine parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size() && parsed.ok(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      parsed.operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const OptionRule* rule = nullptr;
    std::string shown;  // the option as the user should read it in a problem
    bool hasInlineValue = false;
    std::string inlineValue;
    if (arg.compare(0, 2, "--") == 0) {
      const std::size_t equals = arg.find('=');
      const std::string_view name = std::string_view(arg).substr(2, equals - 2);
      rule = FindLong(rules, name);
      shown = "--" + std::string(name);
      if (equals != std::string::npos) {
        hasInlineValue = true;
        inlineValue = arg.substr(equals + 1);
      }
    } else if (arg.size() == 2) {
      rule = FindShort(rules, arg[1]);
      shown = arg;
    }
    if (rule == nullptr) {
      parsed.problem = "unknown option " + Quoted(hasInlineValue ? shown : arg);
      break;
    }
    const std::string key(rule->name);
    if (parsed.Has(key)) {
      parsed.problem = "option " + shown + " is given twice";
      break;
    }
    if (!rule->takesValue) {
      if (hasInlineValue) parsed.problem = "option " + shown + " takes no value";
      parsed.values[key];
      continue;
    }
    if (hasInlineValue) {
      if (inlineValue.empty()) parsed.problem = "option " + shown + " needs a value";
      parsed.values[key] = inlineValue;
      continue;
    }
    if (i + 1 >= args.size() || args[i + 1].empty() || LooksLikeOption(args[i + 1], rules)) {
      parsed.problem = "option " + shown + " needs a value";
      break;
    }
    parsed.values[key] = args[++i];
  }
  return parsed;
}

bool ParseInt32(std::string_view text, std::int32_t& value) {
  std::size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  if (at == text.size()) return false;
  std::int64_t magnitude = 0;
  for (; at < text.size(); ++at) {
    if (!IsDigit(text[at])) return false;
    magnitude = magnitude * 10 + (text[at] - '0');
    if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return false;
  }
  const std::int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > std::numeric_limits<std::int32_t>::max()) return false;
  value = static_cast<std::int32_t>(signedValue);
  return true;
}

bool ParseFloat32(std::string_view text, float& value) {
  // The grammar first, so strtod never sees "nan", "inf", hexadecimal or trailing text.
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  const std::size_t integerEnd = SkipDigits(text, at);
  std::size_t end = integerEnd;
  bool digits = integerEnd > at;
  if (end < text.size() && text[end] == '.') {
    const std::size_t fractionEnd = SkipDigits(text, end + 1);
    digits = digits || fractionEnd > end + 1;
    end = fractionEnd;
  }
  if (!digits) return false;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    const std::size_t exponentEnd = SkipDigits(text, exponent);
    if (exponentEnd == exponent) return false;
    end = exponentEnd;
  }
  if (end != text.size()) return false;
  const std::string copy(text);
  const double number = std::strtod(copy.c_str(), nullptr);
  // Below FLT_MAX + half an ulp (2^128 - 2^103) a double rounds to a finite float.
  constexpr double kFloatOverflow = 3.4028235677973366e38;
  if (!(std::fabs(number) < kFloatOverflow)) return false;
  value = static_cast<float>(number);
  return true;
}
