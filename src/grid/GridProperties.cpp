#include "grid/GridProperties.h"

std::string AllPropertyCodes() {
  std::string codes;
  for (const GridProperty& property : kGridProperties) codes += property.code;
  return codes;
}

std::string NamedCodes(const std::string& codes, const char* lastSeparator) {
  std::string list;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    list += i == 0 ? "" : (i + 1 == codes.size() ? lastSeparator : ", ");
    list += std::string(1, codes[i]) + " (" + PropertyWithCode(codes[i])->name + ")";
  }
  return list;
}
