// Icons, the decorative bitmap and the manifest linked into the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "resource.h"
#include "resources/ResourceBytes-win32.h"

namespace {

using resource_test::ResourceBytes;

// Width and colour depth of each image an icon group lists, from its directory.
std::vector<std::pair<int, int>> IconGroup(int id) {
  const std::vector<unsigned char> bytes = ResourceBytes(id, MAKEINTRESOURCEA(14));
  std::vector<std::pair<int, int>> images;
  const size_t count = bytes.size() < 6 ? 0 : bytes[4] | bytes[5] << 8;
  for (size_t i = 0; i < count && 6 + 14 * (i + 1) <= bytes.size(); ++i) {
    const unsigned char* e = bytes.data() + 6 + 14 * i;
    EXPECT_EQ(e[0], e[1]) << "square icon " << id;
    images.push_back({e[0], e[6] | e[7] << 8});
  }
  return images;
}

TEST(Icons, HoldTheirSizesAndLoad) {
  using Images = std::vector<std::pair<int, int>>;
  EXPECT_EQ(IconGroup(IDI_APP).size(), 2u);
  EXPECT_EQ(IconGroup(IDI_APP)[0].first, 32);
  EXPECT_EQ(IconGroup(IDI_APP)[1].first, 16);
  EXPECT_EQ(IconGroup(IDI_OPEN), (Images{{32, 4}, {16, 4}}));
  EXPECT_EQ(IconGroup(IDI_SAVE), (Images{{32, 4}}));
  for (int id : {IDI_APP, IDI_OPEN, IDI_SAVE}) {
    EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)), nullptr) << id;
  }
}

TEST(DecorativePicture, Is119By115With256Colours) {
  auto bitmap =
      static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_PICTURE),
                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(bitmap, nullptr);
  DIBSECTION dib{};
  ASSERT_EQ(GetObjectA(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
  EXPECT_EQ(dib.dsBm.bmWidth, 119);
  EXPECT_EQ(dib.dsBm.bmHeight, 115);
  EXPECT_EQ(dib.dsBmih.biBitCount, 8);
  EXPECT_EQ(dib.dsBmih.biCompression, static_cast<DWORD>(BI_RGB));
  DeleteObject(bitmap);
}

TEST(Manifest, AsksForCommonControlsVersion6) {
  const std::vector<unsigned char> raw = ResourceBytes(1, MAKEINTRESOURCEA(24));
  const std::string text(raw.begin(), raw.end());
  EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
}

}  // namespace
