#include "cli/PreparationOptions.h"

#include "grid/NumberText.h"

namespace {

Status TakeNumber(const ParsedCommandLine& line, const std::string& name, float& value) {
  if (!line.Has(name) || ReadFloat32(line.Value(name), &value)) return Status();
  return Status::Error("--" + name + " needs a number, not \"" + line.Value(name) + "\"");
}

}  // namespace

std::vector<OptionRule> PreparationOptionRules() {
  return {{"x-from", 0, true},   {"z-from", 0, true},        {"fill-holes", 0, true},
          {"water-vp", 0, true}, {"water-density", 0, true}, {"resample", 0, true, true},
          {"pad", 0, true}};
}

bool TakeRule(PropertyKind kind, const std::string& text, PropertySource& source) {
  source = PropertySource();
  if (kind == PropertyKind::kDensity && text == "gardner") {
    source.rule = PropertyRule::kGardner;
  } else if (kind == PropertyKind::kVs && text == "mudrock") {
    source.rule = PropertyRule::kMudrock;
  } else if (kind == PropertyKind::kVs && text.rfind("vp/", 0) == 0 &&
             ReadFloat32(text.substr(3), &source.ratio)) {
    source.rule = PropertyRule::kVpRatio;
  }
  return IsDerived(source);
}

Status TakePreparationOptions(const ParsedCommandLine& line, bool anyRule,
                              ModelPreparation& preparation, WindowStart& start) {
  for (const Status& taken : {TakeWholeNumber(line, "x-from", start.hasXFrom, start.xFrom),
                              TakeWholeNumber(line, "z-from", start.hasZFrom, start.zFrom),
                              TakeNumber(line, "water-vp", preparation.waterVp),
                              TakeNumber(line, "water-density", preparation.waterDensity)}) {
    if (!taken.ok()) return taken;
  }
  for (const char* water : {"water-vp", "water-density"}) {
    if (line.Has(water) && !anyRule) {
      return Status::Error(std::string("--") + water +
                           " applies only to the rules --density gardner, --vs vp/R and --vs "
                           "mudrock");
    }
  }
  if (line.Has("fill-holes")) {
    HoleFill fill;
    const std::string& how = line.Value("fill-holes");
    if (how == "nearest") {
      fill.how = HoleFilling::kNearest;
    } else if (ReadFloat32(how, &fill.value)) {
      fill.how = HoleFilling::kValue;
    } else {
      return Status::Error("--fill-holes needs nearest or a number, not \"" + how + "\"");
    }
    for (PropertySource& source : preparation.sources.each) source.fill = fill;
  }
  if (line.Has("resample")) {
    for (const std::string& step : {line.Value("resample"), line.Second("resample")}) {
      float value = 0;
      if (!ReadFloat32(step, &value)) {
        return Status::Error("--resample needs two numbers, the new DX and DZ in m, not \"" + step +
                             "\"");
      }
    }
    preparation.resample = true;
    ReadFloat32(line.Value("resample"), &preparation.xStep);
    ReadFloat32(line.Second("resample"), &preparation.zStep);
    preparation.xStepName = "--resample DX";
    preparation.zStepName = "--resample DZ";
  }
  if (line.Has("pad") && !ReadBorder(line.Value("pad"), preparation.border)) {
    return Status::Error("--pad needs four whole numbers LEFT,RIGHT,TOP,BOTTOM, not \"" +
                         line.Value("pad") + "\"");
  }
  return Status();
}
