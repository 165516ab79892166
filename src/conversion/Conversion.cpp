#include "conversion/Conversion.h"

#include "conversion/Findings.h"
#include "grid/GridExport.h"

ConversionResult RunConversion(const ConversionRequest& request, const FindingsAnswer& answer) {
  ConversionResult result;
  result.status = CheckConversionRequest(request, &result.refused);
  if (!result.status.ok()) return result;
  result.findings = FindingsOf(request);
  if (!result.findings.empty() && !(answer.writeDespite && answer.writeDespite(result.findings))) {
    return result;
  }
  if (answer.writing) answer.writing();

  ExportSource source;
  for (const GridProperty& property : kGridProperties) {
    const PropertyInput& input = request.inputs[property.kind];
    source.properties[property.kind] = {input.values, UnitOf(property.kind, input).factor};
  }
  source.window = request.window;
  const ExportedGridFile exported = ExportGridFile(source, request.outputPath);
  result.status = exported.status;
  result.written = exported.ok();
  result.header = exported.header;
  result.bytes = exported.bytes;
  return result;
}
