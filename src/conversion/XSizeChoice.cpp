#include "conversion/XSizeChoice.h"

#include <algorithm>

#include "conversion/LoadedGrid.h"
#include "conversion/ShapeFindings.h"
#include "textgrid/GridSizes.h"

namespace {

std::string ListOf(const std::vector<std::int32_t>& sizes) {
  std::string text;
  for (std::int32_t size : sizes) text += (text.empty() ? "" : ", ") + std::to_string(size);
  return text;
}

}  // namespace

std::string DescribeProposal(std::int32_t nx, const KnownFact& known) {
  const std::string size = "nx " + std::to_string(nx);
  return known.how == HowKnown::kGuessed ? size + ", guessed as " + known.from
                                         : size + " from " + known.from;
}

XSizeChoice ChooseXSize(std::uint32_t count, const TextGridLines& lines, const std::string& name,
                        bool given, std::int32_t nx, const TextGridForm& form,
                        const NamedChoices& named) {
  const std::string givenNx = named.NamedWith("nx", std::to_string(nx));
  XSizeChoice choice;
  if (form.statesSizes) {
    const std::string contradiction =
        given ? Contradiction(givenNx, static_cast<float>(nx), "nx", name, form) : std::string();
    if (!contradiction.empty()) {
      choice.status = Status::Error(contradiction);
    } else {
      choice.nx = form.nx;
      choice.known = {HowKnown::kStated, form.source};
      choice.said = "nx " + std::to_string(form.nx) + " from " + form.source;
    }
    return choice;
  }
  // Binary data has no lines to show; raw values say nothing of the X size.
  const bool binary = IsBinaryForm(form.kind);
  if (binary && !given) {
    choice.status = Status::Error(name + ": " + form.name + " say nothing of the X size; give " +
                                  named.Named("nx"));
    return choice;
  }
  const std::string pattern = binary ? "" : "; " + name + ": " + DescribeLines(lines);
  const std::vector<std::int32_t> sizes = XSizeChoices(count);
  if (sizes.empty() || (!binary && form.facts.nx.how == HowKnown::kAbsent)) {
    choice.status = Status::Error(NoGridMessage(name, count) + pattern);
  } else if (given && std::find(sizes.begin(), sizes.end(), nx) == sizes.end()) {
    choice.status = Status::Error(givenNx + " is not an X size of " + std::to_string(count) +
                                  " values; choose one of " + ListOf(sizes) + pattern);
  } else if (given) {
    choice.nx = nx;
    choice.known = {HowKnown::kGiven, named.Named("nx")};
    choice.said = "nx " + std::to_string(nx);
  } else {
    choice.nx = form.nx;
    choice.known = form.facts.nx;
    choice.said = DescribeProposal(choice.nx, choice.known);
  }
  return choice;
}
