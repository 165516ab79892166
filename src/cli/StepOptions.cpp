#include "cli/StepOptions.h"

#include <tuple>

#include "conversion/LoadedGrid.h"
#include "grid/NumberText.h"

Status TakeStepOption(const ParsedCommandLine& line, const std::string& name, float& step) {
  if (!line.Has(name) || ReadFloat32(line.Value(name), &step)) return Status();
  return Status::Error("--" + name + " needs a number, not \"" + line.Value(name) + "\"");
}

Status CheckStepsKnown(bool hasDx, bool hasDz, const std::string& name, const TextGridForm& form) {
  const bool dx = hasDx || StatesDx(form), dz = hasDz || StatesDz(form);
  if (dx && dz) return Status();
  const std::string hint = form.dzHint.empty() || hasDz
                               ? std::string()
                               : name +
                                     " states no depth step, only a sample interval, in "
                                     "microseconds by the standard (" +
                                     form.dzHint + ")";
  if (!dx && !dz) {
    return Status::Error("no steps: give --dx and --dz, the grid steps in m" +
                         (hint.empty() ? "" : "; " + hint));
  }
  if (!hint.empty()) return Status::Error("no --dz: " + hint + "; give the grid step along Z in m");
  return Status::Error(std::string("no ") + (dx ? "--dz" : "--dx") + ": give the grid step along " +
                       (dx ? "Z" : "X") + " in m");
}

Status CheckStepsAgainstForm(bool hasDx, float dx, bool hasDz, float dz, const std::string& name,
                             const TextGridForm& form) {
  for (const auto& [given, option, value, what] :
       {std::tuple{hasDx, "--dx ", dx, "dx"}, std::tuple{hasDz, "--dz ", dz, "dz"}}) {
    if (!given) continue;
    const std::string contradiction =
        Contradiction(option + FormatShortest(value), value, what, name, form);
    if (!contradiction.empty()) return Status::Error(contradiction);
  }
  return Status();
}
