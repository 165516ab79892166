#include "conversion/ReadingChoices.h"

#include <cstdint>
#include <utility>

#include "grid/NumberText.h"

namespace {

const std::pair<const char*, TextForm> kForms[] = {
    {"plain", TextForm::kPlain},       {"esri", TextForm::kEsri},     {"surfer", TextForm::kSurfer},
    {"triplets", TextForm::kTriplets}, {"matrix", TextForm::kMatrix},
};

Status TakeSkip(const NamedChoices& named, const std::string& name, std::uint32_t& skip) {
  if (!named.Has(name)) return Status();
  std::int32_t value = 0;
  if (!ReadInt32(named.Value(name), &value) || value < 0) {
    return Status::Error(named.Named(name) + " needs a whole number of 0 or more, not \"" +
                         named.Value(name) + "\"");
  }
  skip = static_cast<std::uint32_t>(value);
  return Status();
}

const std::pair<const char*, RawType> kRawTypes[] = {
    {"f32le", RawType::kF32Le},
    {"f32be", RawType::kF32Be},
    {"f64le", RawType::kF64Le},
    {"f64be", RawType::kF64Be},
};

Status TakeRawOptions(const NamedChoices& named, TextReadingChoices& choices) {
  if (named.Has("raw")) {
    const std::string& type = named.Value("raw");
    for (const auto& [name, raw] : kRawTypes) {
      if (type == name) choices.raw = raw;
    }
    if (choices.raw == RawType::kNone) {
      return Status::Error(named.Named("raw") + " must be f32le, f32be, f64le or f64be, not \"" +
                           type + "\"");
    }
  }
  bool skip = false;
  std::int32_t bytes = 0;
  const Status taken = TakeWholeNumber(named, "skip-bytes", skip, bytes);
  if (!taken.ok()) return taken;
  if (skip && choices.raw == RawType::kNone) {
    return Status::Error(named.Named("skip-bytes") + " is for raw values: give " +
                         named.Named("raw") + " too");
  }
  if (bytes < 0) {
    return Status::Error(named.Named("skip-bytes") + " must be 0 or more, not " +
                         std::to_string(bytes));
  }
  if (choices.raw != RawType::kNone && named.Has("form")) {
    return Status::Error(named.Named("form") + " reads a text grid in a form, " +
                         named.Named("raw") + " raw values: give one of them");
  }
  choices.skipBytes = static_cast<std::uint64_t>(bytes);
  return Status();
}

}  // namespace

std::vector<OptionRule> ReadingOptionRules() {
  return {{"order", 0, true},       {"flip-z", 0, false},      {"decimal-comma", 0, false},
          {"form", 0, true},        {"skip-columns", 0, true}, {"skip-rows", 0, true},
          {"coordinates", 0, true}, {"raw", 0, true},          {"skip-bytes", 0, true}};
}

Status TakeReadingOptions(const NamedChoices& named, TextReadingChoices& choices) {
  choices.decimalComma = named.Has("decimal-comma");
  choices.flipZ = named.Has("flip-z");
  const Status raw = TakeRawOptions(named, choices);
  if (!raw.ok()) return raw;
  for (const Status& taken : {TakeSkip(named, "skip-columns", choices.skipColumns),
                              TakeSkip(named, "skip-rows", choices.skipRows)}) {
    if (!taken.ok()) return taken;
  }
  if (named.Has("coordinates")) {
    const std::string& unit = named.Value("coordinates");
    if (unit != "km" && unit != "m") {
      return Status::Error(named.Named("coordinates") + " must be km or m, not \"" + unit + "\"");
    }
    choices.coordinatesInKm = unit == "km";
  }
  if (named.Has("form")) {
    const std::string& form = named.Value("form");
    for (const auto& [name, kind] : kForms) {
      if (form == name) choices.form = kind;
    }
    if (!choices.form) {
      return Status::Error(named.Named("form") +
                           " must be plain, esri, surfer, triplets or matrix, not \"" + form +
                           "\"");
    }
  }
  if (!named.Has("order")) return Status();
  const std::string& order = named.Value("order");
  if (order == "rows" || order == "columns") {
    choices.order = order == "rows" ? ValueOrder::kRows : ValueOrder::kColumns;
    return Status();
  }
  return Status::Error(named.Named("order") + " must be rows or columns, not \"" + order + "\"");
}

std::string WithReadingOption(const std::string& message, bool commasUndecided, bool tripletsTold,
                              const NamedChoices& named, bool rawUndecided) {
  if (rawUndecided) {
    return message + "; " + named.NamedWith("raw", "f32le") + ", " + named.Spelled("f32be") + ", " +
           named.Spelled("f64le") + " or " + named.Spelled("f64be") + " (with " +
           named.Named("nx") + ") reads it as raw values";
  }
  if (commasUndecided) {
    return message + "; " + named.NamedFlag("decimal-comma") + " reads commas as decimal marks";
  }
  if (tripletsTold) {
    return message + "; if it is a plain grid three values wide, " +
           named.NamedWith("form", "plain") + " reads it as one";
  }
  return message;
}

ChoiceNames ReadingChoiceNames(const NamedChoices& named) {
  return {named.Named("nx"),
          named.NamedWith("skip-columns", "1"),
          named.NamedWith("skip-rows", "1"),
          named.NamedWith("order", "columns"),
          named.NamedFlag("flip-z"),
          named.NamedWith("coordinates", "km")};
}
