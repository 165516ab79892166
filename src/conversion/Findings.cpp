#include "conversion/Findings.h"

#include <algorithm>
#include <string>
#include <utility>

#include "conversion/CoordinateFindings.h"
#include "conversion/EndMarkFinding.h"
#include "conversion/LoadedGrid.h"
#include "conversion/NoDataFindings.h"
#include "conversion/RuleFindings.h"
#include "conversion/ShapeFindings.h"
#include "conversion/UnitFindings.h"
#include "conversion/XSizeFindings.h"
#include "textgrid/GridSizes.h"

namespace {

class FindingList {
 public:
  void Add(std::string finding) {
    if (finding.empty() || std::find(list_.begin(), list_.end(), finding) != list_.end()) return;
    list_.push_back(std::move(finding));
  }
  std::vector<std::string> Take() { return std::move(list_); }

 private:
  std::vector<std::string> list_;
};

struct LoadedInput {
  PropertyKind kind;
  const PropertyInput* input;
  ValueCensus census;
};

// FindingsOf's, or GridFindingsOf's when !withUnits.
std::vector<std::string> Findings(const ConversionRequest& request, bool withUnits) {
  const std::uint32_t count = request.window.elementCount;
  std::vector<LoadedInput> loaded;
  for (const GridProperty& property : kGridProperties) {
    const PropertyInput& input = request.inputs[property.kind];
    if (input.values != nullptr && count > 0) {
      loaded.push_back({property.kind, &input, TakeCensus(input.values, count, input.range)});
    }
  }
  // The rows the values hold, whatever Z size the user typed.
  const std::int32_t nx = request.window.nxInput;
  const std::int32_t rows =
      nx > 0 ? static_cast<std::int32_t>(count / static_cast<std::uint32_t>(nx)) : 0;

  FindingList findings;
  for (const LoadedInput& each : loaded) findings.Add(EndMarkFinding(*each.input));
  // A guessed X size is asked about where a file's lines do not show one; elsewhere the lines
  // must agree with the X size, however it is known.
  const bool columns = request.order == ValueOrder::kColumns;
  const bool guessed = request.xSizeKnown.how == HowKnown::kGuessed;
  bool guessNamed = false;
  for (const LoadedInput& each : loaded) {
    const TextGridLines* const lines = each.input->lines;
    if (lines == nullptr) continue;
    if (guessed && RowLengthShown(*lines) == 0) {
      findings.Add(
          GuessedXSizeFinding(each.input->name, *lines, count, nx, request.choiceNames.xSize));
      guessNamed = true;
    } else {
      findings.Add(
          LinesFinding(each.input->name, *lines, count, columns ? rows : nx, request.order));
    }
  }
  if (guessed && !guessNamed) {
    findings.Add("nx " + std::to_string(nx) + " is a guess (" + request.xSizeKnown.from +
                 "): give " + request.choiceNames.xSize);
  }
  // An X size other than the one a file states shears the model, however its lines go.
  for (const LoadedInput& each : loaded) {
    if (each.input->form == nullptr) continue;
    findings.Add(Contradiction("X size " + std::to_string(nx), static_cast<float>(nx), "nx",
                               each.input->name, *each.input->form));
  }
  for (const LoadedInput& each : loaded) {
    findings.Add(FirstColumnFinding(*each.input, nx, rows, request.choiceNames.skipColumns));
    findings.Add(FirstRowFinding(*each.input, nx, rows, request.choiceNames.skipRows));
    if (each.input->form == nullptr) continue;
    findings.Add(
        DepthOrElevationFinding(each.input->name, *each.input->form, request.choiceNames.flipZ));
  }
  // Read column by column, the user's choice is what a grid's shape or grain asks about.
  const std::string columnsChosen = columns ? request.choiceNames.columns : std::string();
  findings.Add(DeepGridFinding(nx, rows, columnsChosen));
  if (columns) findings.Add(WideGridFinding(nx, rows));
  for (const LoadedInput& each : loaded) {
    findings.Add(
        ColumnByColumnFinding(*each.input, nx, rows, each.census.markers > 0, columnsChosen));
  }
  // Holes to be filled are no finding; a value they are filled with counts in the range.
  const ModelPreparation& preparation = request.preparation;
  for (LoadedInput& each : loaded) {
    const HoleFill& fill = preparation.sources[each.kind].fill;
    if (fill.how == HoleFilling::kNone) findings.Add(NoDataFinding(*each.input, each.census, nx));
    if (fill.how == HoleFilling::kValue && each.census.markers > 0) {
      each.census.range.minimum = std::min(each.census.range.minimum, fill.value);
      each.census.range.maximum = std::max(each.census.range.maximum, fill.value);
    }
  }
  if (!withUnits) return findings.Take();
  for (const LoadedInput& each : loaded) {
    findings.Add(RangeFinding(each.kind, *each.input, each.census.range));
  }
  for (std::string& finding : RuleFindings(request)) findings.Add(std::move(finding));
  findings.Add(ShearAboveCompressional(request));
  // Steps a file states are its own: a doubt about them names the file.
  const LoadedInput* stater = nullptr;
  for (const LoadedInput& each : loaded) {
    const TextGridForm* form = each.input->form;
    if (stater == nullptr && form != nullptr && form->statesSteps &&
        StepsAgree(form->dx, request.window.xStep) && StepsAgree(form->dz, request.window.zStep)) {
      stater = &each;
    }
  }
  if (stater != nullptr) {
    findings.Add(StatedStepsFinding(stater->input->name, *stater->input->form,
                                    request.choiceNames.coordinatesKm));
  } else {
    findings.Add(StepFinding(request.xStepName, request.window.xStep));
    findings.Add(StepFinding(request.zStepName, request.window.zStep));
  }
  if (preparation.resample) {
    findings.Add(StepFinding(preparation.xStepName, preparation.xStep));
    findings.Add(StepFinding(preparation.zStepName, preparation.zStep));
  }
  return findings.Take();
}

}  // namespace

std::vector<std::string> FindingsOf(const ConversionRequest& request) {
  return Findings(request, true);
}

std::vector<std::string> GridFindingsOf(const ConversionRequest& request) {
  return Findings(request, false);
}
