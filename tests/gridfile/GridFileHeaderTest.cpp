#include "gridfile/GridFileHeader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "gridfile/GridExport.h"
#include "support/GridFileWords.h"
#include "support/ScratchFolder.h"

namespace {

void Put(std::string& bytes, std::size_t offset, const std::string& field) {
  bytes.replace(offset, field.size(), field);
}

TEST(GridFileHeader, TheWorkedExampleIsWrittenByteForByte) {
  // Vp alone, 3 x 2 nodes, steps 10 and 5.
  ScratchFolder scratch;
  const std::vector<float> vp = {1500.0f, 1510.5f, 1520.25f, 1600.0f, 1610.0f, 1620.0f};
  ExportSource source;
  source.properties[PropertyKind::kVp].values = vp.data();
  source.window = {6, 3, 3, 2, 10.0f, 5.0f};
  ASSERT_TRUE(ExportGridFile(source, scratch.Path("m.mvg")).ok());
  const std::string file = scratch.Read("m.mvg");
  ASSERT_EQ(file.size(), 320u);

  std::string header(296, '\0');
  Put(header, 0, "Binary. FD-Grid_____");
  Put(header, 20, "TestModel");
  Put(header, 100, "MorvTxtMvg");
  Put(header, 136, std::string("\x00\x00\xA0\x41", 4));  // x extent 20.0
  Put(header, 140, std::string("\x00\x00\x20\x41", 4));  // dx 10.0
  Put(header, 152, std::string("\x00\x00\xA0\x40", 4));  // z extent 5.0
  Put(header, 156, std::string("\x00\x00\xA0\x40", 4));  // dz 5.0
  Put(header, 188, std::string("\x00\x00\x80\x3F", 4));  // 1.0
  Put(header, 196, "\x03");
  Put(header, 200, "\x02");
  for (std::size_t one : {204, 232, 236, 244}) Put(header, one, "\x01");
  Put(header, 248, "\x02");
  Put(header, 252, "P");
  Put(header, 260, "XZ");
  Put(header, 268, "Modl");
  Put(header, 276, "V");
  for (std::size_t i = 0; i < 296; ++i) EXPECT_EQ(file[i], header[i]) << "byte " << i;
  EXPECT_EQ(DataWords(file), BitsOf(vp));  // node by node, bit for bit
}

TEST(GridFileHeader, ExtentsAreOneRoundingOfTheExactProduct) {
  // A single node spans exactly 0.0 whatever the step (not -0.0 nor NaN).
  const float infinity = std::numeric_limits<float>::infinity();
  const GridFileHeader single = MakeGridFileHeader(1, 1, infinity, -7.5f, "P");
  EXPECT_EQ(FloatBits(single.xExtent), 0u);
  EXPECT_EQ(FloatBits(single.zExtent), 0u);
  // 2^24 + 1 steps of 3: converting the count to float32 first would give 50331648.
  EXPECT_EQ(MakeGridFileHeader(16777218, 1, 3.0f, 1.0f, "P").xExtent, 50331652.0f);
}

}  // namespace
