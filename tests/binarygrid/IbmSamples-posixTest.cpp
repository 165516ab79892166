// segyio, through Debian's Python (which the Windows build lacks), as the reference for IBM floats.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "BinaryGridReading.h"
#include "support/ScratchFolder.h"

namespace {

TEST(IbmSamplesTest, ReadAsSegyioReadsThemWhereFloatsHoldThem) {
  ScratchFolder scratch;
  const char* root = std::getenv("MVG_SOURCE_DIR");
  const std::string command = "/usr/bin/python3 " + std::string(root ? root : ".") +
                              "/tests/support/ibm_reference.py " + scratch.Folder();
  ASSERT_EQ(std::system(command.c_str()), 0) << "needs python3-segyio and python3-numpy";
  const TextGridRead read = ReadBinaryBytes(scratch.Read("ibm.sgy"));
  ASSERT_TRUE(read.ok()) << read.status.message();
  const std::string reference = scratch.Read("segyio.f32");
  ASSERT_EQ(reference.size(), read.values.size() * 4);
  for (std::size_t i = 0; i < read.values.size(); ++i) {
    std::uint32_t ours, theirs;
    std::memcpy(&ours, &read.values[i], 4);
    std::memcpy(&theirs, reference.data() + 4 * i, 4);  // little-endian, as this machine
    ASSERT_EQ(ours, theirs) << "sample " << i;
  }
}

}  // namespace
