#include "cli/GridInput.h"

#include <cstdio>
#include <cstring>

#include "grid/GridFileHeader.h"

std::string TakePropertyOption(const ParsedCommandLine& line, char& code) {
  code = 0;
  if (!line.Has("property")) return {};
  const std::string& value = line.Value("property");
  if (value.size() == 1) {
    const char upper =
        value[0] >= 'a' && value[0] <= 'z' ? static_cast<char>(value[0] - 32) : value[0];
    if (upper == 'P' || upper == 'Q' || upper == 'R') {
      code = upper;
      return {};
    }
  }
  return "--property needs P (Vp), Q (density) or R (Vs), not \"" + value + "\"";
}

bool LooksLikeGridFile(const std::string& path) {
  const std::size_t dot = path.size() >= 4 ? path.size() - 4 : 0;
  std::string ending = path.substr(dot);
  for (char& c : ending) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  if (ending == ".mvg") return true;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  char start[GridFileLayout::kSignatureSize];
  const bool signature = std::fread(start, 1, sizeof start, file) == sizeof start &&
                         std::memcmp(start, GridFileLayout::kSignature, sizeof start) == 0;
  std::fclose(file);
  return signature;
}

std::string WithoutGzipEnding(const std::string& path) {
  const std::size_t at = path.size() >= 3 ? path.size() - 3 : 0;
  std::string ending = path.substr(at);
  for (char& c : ending) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  const std::size_t nameStart = path.find_last_of("/\\") + 1;  // 0 without a folder
  return ending == ".gz" && at > nameStart ? path.substr(0, at) : path;
}

std::string ReplaceExtension(const std::string& path, const std::string& ending) {
  const std::size_t nameStart = path.find_last_of("/\\") + 1;  // 0 without a folder
  const std::size_t dot = path.rfind('.');
  const bool hasExtension = dot != std::string::npos && dot > nameStart;
  return (hasExtension ? path.substr(0, dot) : path) + ending;
}
