#include "conversion/LoadedGrid.h"

#include <algorithm>
#include <cmath>

#include "grid/NumberText.h"
#include "textgrid/GridOrder.h"

namespace {

std::string Stated(const std::string& name, const TextGridForm& form) {
  std::string text =
      name + " gives nx " + FormatInteger(form.nx) + ", nz " + FormatInteger(form.nz);
  if (form.statesSteps) {
    text += ", dx " + FormatShortest(form.dx) + ", dz " + FormatShortest(form.dz);
  }
  return text;
}

}  // namespace

bool StepsAgree(float a, float b) {
  return std::fabs(a - b) <= 1e-6f * std::max(std::fabs(a), std::fabs(b));
}

std::string SameGridProblem(const std::string& name, const TextGridForm& form,
                            const std::string& otherName, const TextGridForm& other) {
  if (!form.statesSizes || !other.statesSizes) return {};
  const bool steps = !form.statesSteps || !other.statesSteps ||
                     (StepsAgree(form.dx, other.dx) && StepsAgree(form.dz, other.dz));
  if (form.nx == other.nx && form.nz == other.nz && steps) return {};
  return Stated(name, form) + ", but " + Stated(otherName, other) +
         ": all input files must have the same sizes and steps";
}

std::string Contradiction(const std::string& given, float value, const std::string& what,
                          const std::string& name, const TextGridForm& form) {
  const bool size = what == "nx";
  if (size ? !form.statesSizes : what == "dx" ? !StatesDx(form) : !StatesDz(form)) return {};
  const float stated = size ? static_cast<float>(form.nx) : what == "dx" ? form.dx : form.dz;
  if (size ? value == stated : StepsAgree(value, stated)) return {};
  return given + " contradicts " + name + ": " + SourceGives(form) + " " + what + " " +
         (size ? FormatInteger(form.nx) : FormatShortest(stated));
}

Status ArrangeValues(float* values, std::uint32_t count, const TextGridForm& form,
                     const std::string& name, std::int32_t nx, const TextReadingChoices& choices) {
  if (choices.order == ValueOrder::kColumns && form.kind == TextForm::kTriplets) {
    return Status::Error(name + ": " + form.name +
                         " place each value by its coordinates; they have no order of columns");
  }
  if (choices.order == ValueOrder::kColumns && form.kind == TextForm::kMatrix) {
    return Status::Error(name + ": a " + form.name +
                         " has its x coordinates on its first line and its rows on the others; "
                         "it has no order of columns");
  }
  if (nx <= 0) return Status();
  if (!ArrangeGrid(values, count, static_cast<std::uint64_t>(nx),
                   OrderOfValues(form, choices.order), choices.flipZ)) {
    return Status::Error(name + ": not enough memory to put its columns in the order of rows");
  }
  return Status();
}
