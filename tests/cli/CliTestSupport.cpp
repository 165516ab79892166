#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <sstream>

#include "cli/Mvgtool.h"
#include "gridfile/GridFileHeader.h"

RunResult RunTool(const std::vector<std::string>& args, bool showProgress, bool stdoutIsTerminal) {
  std::ostringstream out, err;
  const int status = RunMvgtool(args, out, err, showProgress, stdoutIsTerminal);
  return {status, out.str(), err.str()};
}

void ExpectFailure(const RunResult& result, int status, const std::vector<std::string>& pieces) {
  EXPECT_EQ(result.status, status) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err.rfind("mvgtool", 0), 0u) << result.err;
  if (status == 1) {
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  } else {
    EXPECT_NE(result.err.find("\nusage: mvgtool"), std::string::npos) << result.err;
  }
  for (const std::string& piece : pieces) {
    EXPECT_NE(result.err.find(piece), std::string::npos) << piece << " not in " << result.err;
  }
}

std::string SamplePath(const std::string& name) {
  const char* root = std::getenv("MVG_SOURCE_DIR");
  return std::string(root ? root : ".") + "/samples/" + name;
}

std::string MarmousiPath(const std::string& name) { return SamplePath("marmousi2/" + name); }

Rows MarmousiRows() {
  std::istringstream text(ReadFileBytes(MarmousiPath("vp.txt")));
  Rows rows;
  for (std::string line; std::getline(text, line);) {
    std::istringstream values(line);
    rows.emplace_back(std::istream_iterator<std::string>(values),
                      std::istream_iterator<std::string>());
  }
  return rows;
}

std::string Lines(const Rows& rows, std::size_t perLine) {
  std::string text;
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      text += row[i] + ((i + 1) % perLine == 0 || i + 1 == row.size() ? "\n" : " ");
    }
  }
  return text;
}

std::string HeaderBytes(std::int32_t nx, std::int32_t nz, float dx, float dz,
                        const std::string& codes) {
  const auto bytes = MakeGridFileHeader(nx, nz, dx, dz, codes).ToBytes();
  return std::string(bytes.begin(), bytes.end());
}
