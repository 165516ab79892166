#include "conversion/NamedChoices.h"

#include <algorithm>

#include "grid/NumberText.h"

const std::string& NamedChoices::Value(const std::string& name) const {
  static const std::string kNone;
  const auto found = values.find(name);
  return found == values.end() ? kNone : found->second;
}

const std::string& NamedChoices::Second(const std::string& name) const {
  static const std::string kNone;
  const auto found = seconds.find(name);
  return found == seconds.end() ? kNone : found->second;
}

std::string NamedChoices::Named(const std::string& name) const {
  const auto spelled = spellings.find(name);
  if (spelled != spellings.end()) return spelled->second;
  if (style == Style::kOptions) return "--" + name;
  std::string keyword = name;
  std::replace(keyword.begin(), keyword.end(), '-', '_');
  return keyword;
}

std::string NamedChoices::NamedWith(const std::string& name, const std::string& value) const {
  if (style == Style::kOptions) return Named(name) + " " + value;
  return Named(name) + "=" + Spelled(value);
}

std::string NamedChoices::NamedFlag(const std::string& name) const {
  return style == Style::kOptions ? Named(name) : Named(name) + "=True";
}

std::string NamedChoices::Spelled(const std::string& value) const {
  float number = 0;
  if (style == Style::kOptions || ReadFloat32(value, &number)) return value;
  return "\"" + value + "\"";
}

Status TakeWholeNumber(const NamedChoices& choices, const std::string& name, bool& given,
                       std::int32_t& value) {
  given = choices.Has(name);
  if (!given || ReadInt32(choices.Value(name), &value)) return Status();
  return Status::Error(choices.Named(name) + " needs a whole number, not \"" + choices.Value(name) +
                       "\"");
}

Status TakeNumber(const NamedChoices& choices, const std::string& name, float& value) {
  if (!choices.Has(name) || ReadFloat32(choices.Value(name), &value)) return Status();
  return Status::Error(choices.Named(name) + " needs a number, not \"" + choices.Value(name) +
                       "\"");
}
