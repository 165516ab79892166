#include "cli/StepOptions.h"

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
