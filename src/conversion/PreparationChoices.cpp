#include "conversion/PreparationChoices.h"

#include "grid/NumberText.h"

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

Status CheckRuleHasVp(const NamedChoices& named, PropertyKind kind, const std::string& name,
                      bool vpGiven) {
  if (vpGiven) return Status();
  return Status::Error(named.NamedWith(name, named.Value(name)) + " derives " +
                       PropertyOf(kind).name + " from Vp: give " + named.Named("vp") + " too");
}

Status TakeUnitOption(const NamedChoices& named, PropertyKind kind, const std::string& name,
                      bool given, const PropertySource& rule, const Unit*& unit) {
  const std::string option = name + "-units";
  const char* property = PropertyOf(kind).name;
  unit = &FileUnitOf(kind);
  if (!named.Has(option)) return Status();
  if (IsDerived(rule)) {
    return Status::Error(named.Named(option) + " applies to a " + property +
                         " file, not to the rule " + named.NamedWith(name, named.Value(name)));
  }
  if (!given) {
    return Status::Error(named.Named(option) + " is given without " + named.Named(name));
  }
  const std::string& units = named.Value(option);
  unit = FindUnit(kind, units);
  if (unit != nullptr) return Status();
  return Status::Error(named.Named(option) + " must be " + UnitNames(kind) + ", not \"" + units +
                       "\"");
}

Status TakePreparationOptions(const NamedChoices& named, bool anyRule,
                              ModelPreparation& preparation, WindowStart& start) {
  for (const Status& taken : {TakeWholeNumber(named, "x-from", start.hasXFrom, start.xFrom),
                              TakeWholeNumber(named, "z-from", start.hasZFrom, start.zFrom),
                              TakeNumber(named, "water-vp", preparation.waterVp),
                              TakeNumber(named, "water-density", preparation.waterDensity)}) {
    if (!taken.ok()) return taken;
  }
  for (const char* water : {"water-vp", "water-density"}) {
    if (named.Has(water) && !anyRule) {
      return Status::Error(named.Named(water) + " applies only to the rules " +
                           named.NamedWith("density", "gardner") + ", " +
                           named.NamedWith("vs", "vp/R") + " and " +
                           named.NamedWith("vs", "mudrock"));
    }
  }
  if (named.Has("fill-holes")) {
    HoleFill fill;
    const std::string& how = named.Value("fill-holes");
    if (how == "nearest") {
      fill.how = HoleFilling::kNearest;
    } else if (ReadFloat32(how, &fill.value)) {
      fill.how = HoleFilling::kValue;
    } else {
      return Status::Error(named.Named("fill-holes") + " needs nearest or a number, not \"" + how +
                           "\"");
    }
    for (PropertySource& source : preparation.sources.each) source.fill = fill;
  }
  if (named.Has("resample")) {
    for (const std::string& step : {named.Value("resample"), named.Second("resample")}) {
      float value = 0;
      if (!ReadFloat32(step, &value)) {
        return Status::Error(named.Named("resample") +
                             " needs two numbers, the new DX and DZ in m, not \"" + step + "\"");
      }
    }
    preparation.resample = true;
    ReadFloat32(named.Value("resample"), &preparation.xStep);
    ReadFloat32(named.Second("resample"), &preparation.zStep);
    preparation.xStepName = named.Named("resample") + " DX";
    preparation.zStepName = named.Named("resample") + " DZ";
  }
  if (named.Has("pad") && !ReadBorder(named.Value("pad"), preparation.border)) {
    return Status::Error(named.Named("pad") +
                         " needs four whole numbers LEFT,RIGHT,TOP,BOTTOM, not \"" +
                         named.Value("pad") + "\"");
  }
  return Status();
}
