#include "cli/GridInput.h"

#include <cstring>

#include "grid/GridFileHeader.h"
#include "grid/ReadOnlyFile.h"

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
  // Opened as the readers open it, so a pipe is not waited on; the text grid reader then says
  // why a file that cannot be opened is refused.
  ReadOnlyFile file;
  std::string reason;
  char start[GridFileLayout::kSignatureSize];
  std::size_t got = 0;
  return file.Open(path, &reason) && file.ReadAt(0, start, sizeof start, &got, &reason) &&
         got == sizeof start && std::memcmp(start, GridFileLayout::kSignature, sizeof start) == 0;
}

std::string ReplaceExtension(const std::string& path, const std::string& ending) {
  const std::size_t nameStart = path.find_last_of("/\\") + 1;  // 0 without a folder
  const std::size_t dot = path.rfind('.');
  const bool hasExtension = dot != std::string::npos && dot > nameStart;
  return (hasExtension ? path.substr(0, dot) : path) + ending;
}
