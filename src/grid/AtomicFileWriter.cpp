#include "grid/AtomicFileWriter.h"

std::string TemporaryFileName(const std::string& path, std::uint64_t processId, int attempt) {
  return path + "." + std::to_string(processId) + "-" + std::to_string(attempt) + ".tmp";
}
