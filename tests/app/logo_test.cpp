// SPDX-License-Identifier: GPL-3.0-or-later
// The logo: progressive JPEG data decoded with libjpeg; bad data never stops the program.
#include <QColor>
#include <QImage>
#include <gtest/gtest.h>
#include <vector>

#include "app/assets/logo.h"
#include "app/assets/logo_data.h"

TEST(Logo, IsAProgressiveJpegOf192By27ColourPixels) {
  bool Progressive = false;  // a SOF2 marker
  for (std::size_t I = 0; I + 1 < LogoJpegSize; ++I) {
    if (LogoJpeg[I] == 0xFF && LogoJpeg[I + 1] == 0xC2) Progressive = true;
  }
  EXPECT_TRUE(Progressive);
  const QImage Logo = LogoPicture();
  ASSERT_FALSE(Logo.isNull());
  EXPECT_EQ(Logo.size(), QSize(192, 27));
  // The first counter is red, the third green.
  const QColor Red = Logo.pixelColor(13, 7);
  EXPECT_GT(Red.red(), 180);
  EXPECT_LT(Red.green(), 130);
  const QColor Green = Logo.pixelColor(53, 7);
  EXPECT_GT(Green.green(), Green.red() + 40);
}

TEST(Logo, DataThatIsNoJpegGivesANullPicture) {
  const unsigned char Text[] = "not a picture at all";
  EXPECT_TRUE(DecodeJpeg(Text, sizeof Text).isNull());
  EXPECT_TRUE(DecodeJpeg(nullptr, 0).isNull());
  // A damaged header.
  std::vector<unsigned char> Broken(LogoJpeg, LogoJpeg + LogoJpegSize);
  for (std::size_t I = 2; I < 200 && I < Broken.size(); ++I) Broken[I] = 0x5A;
  EXPECT_TRUE(DecodeJpeg(Broken.data(), Broken.size()).isNull());
}

TEST(Logo, TruncatedDataDoesNotStopTheProgram) {
  for (std::size_t Size : {std::size_t{4}, std::size_t{300}, LogoJpegSize / 2, LogoJpegSize - 1}) {
    const QImage Picture = DecodeJpeg(LogoJpeg, Size);
    if (!Picture.isNull()) {
      EXPECT_EQ(Picture.size(), QSize(192, 27)) << Size;
    }
  }
}
