#include "dialog/WriteQuestion.h"

#include <memory>

#include "conversion/NoDataFindings.h"
#include "conversion/PreparationSummary.h"
#include "dialog/WaitCursor.h"
#include "ui/DialogWindow.h"

namespace {

// Whether a file read for the request holds holes that are left unfilled.
bool HolesLeft(const ConversionRequest& request) {
  for (const GridProperty& property : kGridProperties) {
    const PropertyInput& input = request.inputs[property.kind];
    if (input.values != nullptr &&
        request.preparation.sources[property.kind].fill.how == HoleFilling::kNone &&
        TakeCensus(input.values, request.window.elementCount, input.range).markers > 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string WriteQuestion(const ConversionRequest& request,
                          const std::vector<std::string>& findings, const StabilityReport& report) {
  std::vector<std::string> paragraphs;
  const auto add = [&paragraphs](const std::vector<std::string>& lines, const char* indent) {
    if (lines.empty()) return;
    std::string paragraph;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      paragraph += (i == 0 ? "" : std::string("\n") + indent) + lines[i];
    }
    paragraphs.push_back(paragraph);
  };
  std::vector<std::string> found = findings;
  if (!found.empty() && HolesLeft(request)) {
    found.push_back("\"Fill holes\" below the picture fills them: nearest, or a value typed.");
  }
  add(found, "");
  add(PreparationSummary(request), "");
  add(StabilityLines(report), "  ");
  if (paragraphs.empty()) return {};
  std::string question;
  for (const std::string& paragraph : paragraphs) question += paragraph + "\n\n";
  return question + (findings.empty() ? "Write the grid file?" : "Write the grid file anyway?");
}

ConversionResult WriteAfterAsking(DialogWindow& window, const ConversionRequest& request) {
  // The findings are asked about with the report, in one question.
  std::vector<std::string> findingsSeen;
  FindingsAnswer answer;
  answer.writeDespite = [&findingsSeen](const std::vector<std::string>& findings) {
    findingsSeen = findings;
    return true;
  };
  // The wait cursor shows while the file is made, and not while the question waits.
  std::unique_ptr<WaitCursor> writing;
  answer.writeWithReport = [&window, &request, &findingsSeen,
                            &writing](const StabilityReport& report) {
    writing.reset();
    const std::string question = WriteQuestion(request, findingsSeen, report);
    return question.empty() || window.AskYesNo(question);
  };
  answer.writing = [&window, &writing] { writing = std::make_unique<WaitCursor>(window); };
  return RunConversion(request, answer);
}
