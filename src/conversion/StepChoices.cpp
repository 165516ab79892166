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
    const std::string contradiction =
        Contradiction(named.NamedWith(what, FormatShortest(value)), value, what, name, form);
    if (!contradiction.empty()) return Status::Error(contradiction);
  }
  return Status();
}
