// Names Windows keeps for its devices, whatever their case or extension: no command writes there.
#include <gtest/gtest.h>

#include <string>

#include "CliTestSupport.h"

namespace {

TEST(DeviceNamesWin32, EveryCommandThatWritesRefusesADevicesName) {
  ScratchFolder scratch;
  const std::string vp = scratch.Write("vp.txt", "1500 1600\n1700 1800\n");
  const std::string model = scratch.Path("m.mvg");
  ASSERT_EQ(RunTool({"convert", "--vp", vp, "--dx", "10", "--dz", "10", "-o", model}).status, 0);
  for (const std::string device : {"CON", "nul.png", "Aux.txt", "COM1", "lpt9.mvg", "PRN"}) {
    const std::string output = scratch.Path(device);
    ExpectFailure(
        RunTool({"convert", "--vp", vp, "--dx", "10", "--dz", "10", "-o", output}), 1,
        {"Cannot write the grid file " + output + ": " + device + " names the Windows device "});
    ExpectFailure(RunTool({"picture", vp, "-o", output}), 1, {" names the Windows device "});
    ExpectFailure(
        RunTool({"totext", model, "-o", device}), 1,
        {"Cannot write the text grid " + device + ": " + device + " names the Windows device "});
  }
  // The real program too, with the device's name alone.
  ExpectFailure(
      RunProgram({"convert", "--vp", vp, "--dx", "10", "--dz", "10", "-o", "CON"}, scratch), 1,
      {"Cannot write the grid file CON: CON names the Windows device CON, not a file."});
}

}  // namespace
