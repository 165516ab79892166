#include "conversion/StepChoices.h"

#include <tuple>

#include "conversion/LoadedGrid.h"
#include "grid/NumberText.h"

Status CheckOneStepNotMissing(const NamedChoices& named) {
  const bool dx = named.Has("dx"), dz = named.Has("dz");
  if (dx == dz) return Status();
  return Status::Error("no " + named.Named(dx ? "dz" : "dx") + ": give the grid step along " +
                       (dx ? "Z" : "X") + " in m");
}

Status CheckStepsAgainstForm(float dx, float dz, const std::string& name, const TextGridForm& form,
                             const NamedChoices& named) {
  for (const auto& [what, value] : {std::tuple{"dx", dx}, std::tuple{"dz", dz}}) {
    if (!named.Has(what)) continue;
    const std::string contradiction =
        Contradiction(named.NamedWith(what, FormatShortest(value)), value, what, name, form);
    if (!contradiction.empty()) return Status::Error(contradiction);
  }
  return Status();
}

Status CheckStepsKnown(const NamedChoices& named, const std::string& name,
                       const TextGridForm& form) {
  const bool hasDz = named.Has("dz");
  const bool dx = named.Has("dx") || StatesDx(form), dz = hasDz || StatesDz(form);
  if (dx && dz) return Status();
  const std::string hint = form.dzHint.empty() || hasDz
                               ? std::string()
                               : name +
                                     " states no depth step, only a sample interval, in "
                                     "microseconds by the standard (" +
                                     form.dzHint + ")";
  if (!dx && !dz) {
    return Status::Error("no steps: give " + named.Named("dx") + " and " + named.Named("dz") +
                         ", the grid steps in m" + (hint.empty() ? "" : "; " + hint));
  }
  if (!hint.empty()) {
    return Status::Error("no " + named.Named("dz") + ": " + hint +
                         "; give the grid step along Z in m");
  }
  return Status::Error("no " + named.Named(dx ? "dz" : "dx") + ": give the grid step along " +
                       (dx ? "Z" : "X") + " in m");
}
