#include "dialog/WriteQuestion.h"

#include <memory>

#include "conversion/NoDataFindings.h"
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
                          const std::vector<std::string>& findings) {
  if (findings.empty()) return {};
  std::string question;
  for (const std::string& finding : findings) question += finding + "\n";
  if (HolesLeft(request)) {
    question += "\"Fill holes\" below the picture fills them: nearest, or a value typed.\n";
  }
  return question + "\nWrite the grid file anyway?";
}

ConversionResult WriteAfterAsking(DialogWindow& window, const ConversionRequest& request) {
  FindingsAnswer answer;
  answer.writeDespite = [&window, &request](const std::vector<std::string>& findings) {
    return window.AskYesNo(WriteQuestion(request, findings));
  };
  // The wait cursor shows while the file is made, not while the question waits.
  std::unique_ptr<WaitCursor> writing;
  answer.writing = [&window, &writing] { writing = std::make_unique<WaitCursor>(window); };
  return RunConversion(request, answer);
}
