// Picture files as the main window loads them: a JPEG decodes through core's decoder into a
// bitmap of its size with its colours, a damaged one raises libjpeg's error number.
#include "ui/picture.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "core/failure.h"
#include "tests/e2e/driver.h"
#include "tests/win/scratch.h"

TEST(PictureFile, JpegDecodesToItsSizeAndColours) {
  std::unique_ptr<ui::LoadedPicture> picture =
      ui::LoadPictureFile(e2e::WindowsPath(SOURCE_DIR) + "\\assets\\setup-background.jpg");
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width(), 800);
  EXPECT_EQ(picture->height(), 540);
  // Drawn into a bitmap of its own, the picture is not one flat colour: rows arrived.
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, 800, 540);
  HGDIOBJ old = SelectObject(dc, target);
  picture->Draw(dc, 0, 0);
  COLORREF first = GetPixel(dc, 0, 0);
  bool varied = false;
  for (int y = 0; y < 540 && !varied; y += 20)
    for (int x = 0; x < 800 && !varied; x += 20) varied = GetPixel(dc, x, y) != first;
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  EXPECT_TRUE(varied);
}

TEST(PictureFile, DamagedJpegRaisesLibjpegsErrorNumber) {
  ScratchFolder folder;
  WriteBytes(folder.Path("back.jpg"), "not a picture");
  try {
    ui::LoadPictureFile(folder.Path("back.jpg"));
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(std::string(failure.what()).rfind("JPEG error #", 0), 0u) << failure.what();
  }
}
