#include "cli/GridInput.h"

#include "grid/AsciiCase.h"
#include "gridfile/GridFileReader.h"
#include "textgrid/TextGridReader.h"

Status TakePropertyOption(const ParsedCommandLine& line, const GridProperty*& property) {
  property = nullptr;
  if (!line.Has("property")) return Status();
  const std::string& value = line.Value("property");
  if (value.size() == 1) property = PropertyWithCode(AsciiUpper(value[0]));
  if (property != nullptr) return Status();
  return Status::Error("--property needs " + NamedCodes(AllPropertyCodes(), " or ") + ", not \"" +
                       value + "\"");
}

bool LooksLikeGridFile(const std::string& path) {
  const std::size_t dot = path.size() >= 4 ? path.size() - 4 : 0;
  if (AsciiLower(path.substr(dot)) == ".mvg") return true;
  // Opened as the readers open it, so a pipe is not waited on; the text grid reader then says
  // why a file that cannot be opened is refused.
  GridFileInput file;
  file.Open(path);
  return file.StartsAsGridFile();
}

std::string WithoutGzipEnding(const std::string& path) {
  const std::size_t at = path.size() >= 3 ? path.size() - 3 : 0;
  std::string ending = path.substr(at);
  for (char& c : ending) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  const std::size_t nameStart = path.find_last_of("/\\") + 1;  // 0 without a folder
  return ending == ".gz" && at > nameStart ? path.substr(0, at) : path;
}

std::string ReplaceExtension(const std::string& path, const std::string& ending) {
  const std::size_t nameStart = path.size() - FileNameOf(path).size();
  const std::size_t dot = path.rfind('.');
  const bool hasExtension = dot != std::string::npos && dot > nameStart;
  return (hasExtension ? path.substr(0, dot) : path) + ending;
}
