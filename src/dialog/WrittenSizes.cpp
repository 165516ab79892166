#include "dialog/WrittenSizes.h"

#include <string>

#include "conversion/ConversionRequest.h"
#include "conversion/PreparedShape.h"
#include "dialog/ConvertDialogControls.h"
#include "grid/NumberText.h"
#include "ui/DialogWindow.h"

void ShowWrittenSizes(DialogWindow& window, const ConversionRequest& request,
                      const Status& checked) {
  bool anyLoaded = false;
  for (const PropertyInput& input : request.inputs.each) {
    anyLoaded = anyLoaded || input.values != nullptr;
  }
  if (!anyLoaded || !checked.ok()) {
    window.SetControlText(kWrittenSizesText, "");
    return;
  }
  const WrittenGrid written = WrittenGridOf(request);
  window.SetControlText(kWrittenSizesText,
                        "File: " + FormatInteger(written.nx) + " x " + FormatInteger(written.nz) +
                            "\n= " + FormatInteger(written.nx * written.nz) + " nodes\n" +
                            FormatInteger(static_cast<std::int64_t>(written.bytes)) + " bytes");
}
