// What only Windows lets a test arrange: read-only files, this process's temporary names, a
// process known to be gone.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ScratchFolder.h"
#include "system/AtomicFileWriter.h"

namespace {

using Names = std::vector<std::string>;

TEST(WriteFileAtomicallyWin32, LeavesAReadOnlyFileSkipsTakenNamesAndRemovesThoseOfTheGone) {
  ScratchFolder scratch;
  const std::string kept = scratch.Write("kept.mvg", "1"), data = "2";
  ASSERT_TRUE(SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_NE(WriteFileAtomically(kept, {{data.data(), data.size()}}).message(), "");
  EXPECT_EQ(ReadFileBytes(kept), "1");
  EXPECT_EQ(scratch.Names(), Names{"kept.mvg"});
  SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL);

  const std::string path = scratch.Path("out.mvg");
  for (int attempt = 0; attempt < 3; ++attempt) {
    WriteFileBytes(TemporaryFileName(path, GetCurrentProcessId(), attempt), "taken");
  }
  // And one of a process that is gone, as if killed while it wrote: removed by this write.
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION gone{};
  char command[] = "cmd.exe /c exit";
  ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                             nullptr, &startup, &gone));
  WaitForSingleObject(gone.hProcess, INFINITE);
  CloseHandle(gone.hThread);
  CloseHandle(gone.hProcess);
  WriteFileBytes(TemporaryFileName(path, gone.dwProcessId, 0), "part");
  ASSERT_TRUE(WriteFileAtomically(path, {{data.data(), data.size()}}).ok());
  EXPECT_EQ(ReadFileBytes(path), data);
  EXPECT_EQ(scratch.Names().size(), 5u);  // kept.mvg, out.mvg and this process's three
}

}  // namespace
