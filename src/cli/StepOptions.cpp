#include "cli/StepOptions.h"

#include <tuple>

#include "conversion/LoadedGrid.h"
#include "grid/NumberText.h"

Status TakeStepOption(const ParsedCommandLine& line, const std::string& name, float& step) {
  if (!line.Has(name) || ReadFloat32(line.Value(name), &step)) return Status();
  return Status::Error("--" + name + " needs a number, not \"" + line.Value(name) + "\"");
}

Status CheckOneStepNotMissing(const ParsedCommandLine& line) {
  const bool dx = line.Has("dx"), dz = line.Has("dz");
  if (dx == dz) return Status();
  return Status::Error(std::string("no ") + (dx ? "--dz" : "--dx") + ": give the grid step along " +
                       (dx ? "Z" : "X") + " in m");
}

Status CheckStepsAgainstForm(float dx, float dz, const std::string& name,
                             const TextGridForm& form) {
  for (const auto& [option, value, what] :
       {std::tuple{"--dx ", dx, "dx"}, std::tuple{"--dz ", dz, "dz"}}) {
    const std::string contradiction =
        Contradiction(option + FormatShortest(value), value, what, name, form);
    if (!contradiction.empty()) return Status::Error(contradiction);
  }
  return Status();
}
