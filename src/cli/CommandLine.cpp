#include "cli/CommandLine.h"

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

}  // namespace

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
      parsed.status = Status::Error("unknown option " + Quoted(hasInlineValue ? shown : arg));
      break;
    }
    const std::string key(rule->name);
    if (parsed.Has(key)) {
      parsed.status = Status::Error("option " + shown + " is given twice");
      break;
    }
    if (!rule->takesValue) {
      if (hasInlineValue) parsed.status = Status::Error("option " + shown + " takes no value");
      parsed.values[key];
      continue;
    }
    if (rule->takesTwo) {
      const auto missing = [&](std::size_t at) {
        return at >= args.size() || args[at].empty() || LooksLikeOption(args[at], rules);
      };
      if (hasInlineValue || missing(i + 1) || missing(i + 2)) {
        parsed.status = Status::Error("option " + shown + " needs two values");
        break;
      }
      parsed.values[key] = args[++i];
      parsed.seconds[key] = args[++i];
      continue;
    }
    if (hasInlineValue) {
      if (inlineValue.empty()) parsed.status = Status::Error("option " + shown + " needs a value");
      parsed.values[key] = inlineValue;
      continue;
    }
    if (i + 1 >= args.size() || args[i + 1].empty() || LooksLikeOption(args[i + 1], rules)) {
      parsed.status = Status::Error("option " + shown + " needs a value");
      break;
    }
    parsed.values[key] = args[++i];
  }
  return parsed;
}
