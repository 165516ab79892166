#include "conversion/CoordinateFindings.h"

#include "grid/NumberText.h"
#include "textgrid/FormCoordinates.h"

std::string DepthOrElevationFinding(const std::string& name, const TextGridForm& form,
                                    const std::string& flipName) {
  const VerticalAxis& axis = form.vertical;
  if (!DepthOrElevationUndecided(axis)) return {};
  const std::string low = FormatShortest(axis.low), high = FormatShortest(axis.high);
  return name + ": " + axis.name + " runs from " + low + " to " + high +
         ", across 0: is it depth or elevation? It is read as depth, the top row " + axis.name +
         " " + low +
         (flipName.empty()
              ? ""
              : "; " + flipName + " reads it as elevation, the top row " + axis.name + " " + high);
}

std::string StatedStepsFinding(const std::string& name, const TextGridForm& form,
                               const std::string& kmName) {
  const bool small = form.dx < 0.1f || form.dz < 0.1f;
  if (!form.statesSteps || (!small && form.dx <= 1000.0f && form.dz <= 1000.0f)) return {};
  const std::string steps = name + ": steps of " + FormatShortest(form.dx) + " and " +
                            FormatShortest(form.dz) + ", from " + form.source;
  if (!small) return steps + ": a step of more than 1000 m?";
  return steps + ": are they in km?" + (kmName.empty() ? "" : " " + kmName + " reads them in km");
}
