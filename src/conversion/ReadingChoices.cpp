#include "conversion/ReadingChoices.h"

std::vector<OptionRule> ReadingOptionRules(bool withFlip) {
  std::vector<OptionRule> rules = {{"order", 0, true}, {"decimal-comma", 0, false}};
  if (withFlip) rules.push_back({"flip-z", 0, false});
  return rules;
}

Status TakeReadingOptions(const NamedChoices& named, TextReadingChoices& choices) {
  choices.decimalComma = named.Has("decimal-comma");
  choices.flipZ = named.Has("flip-z");
  if (!named.Has("order")) return Status();
  const std::string& order = named.Value("order");
  if (order == "rows" || order == "columns") {
    choices.order = order == "rows" ? ValueOrder::kRows : ValueOrder::kColumns;
    return Status();
  }
  return Status::Error(named.Named("order") + " must be rows or columns, not \"" + order + "\"");
}

std::string WithCommaOption(const std::string& message, bool commasUndecided,
                            const NamedChoices& named) {
  return commasUndecided
             ? message + "; " + named.Named("decimal-comma") + " reads commas as decimal marks"
             : message;
}
