// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: writes the window icon's PNGs as C++ arrays of their pixels, so
// that the program puts its icon together at start without decoding a file.
//
//   icon_pixels_writer OUTPUT.cpp PNG...
//
// Each picture is kept as QImage gives it, in ARGB32 when it has an alpha
// channel and RGB32 otherwise: a pixmap made from it is the one the PNG gives.
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: icon_pixels_writer OUTPUT.cpp PNG...\n");
    return 2;
  }
  std::string Text =
      "// Written by icon_pixels_writer from the icon's PNGs at build time; do not edit.\n"
      "#include \"app/assets/program_icon_pixels.h\"\n\nnamespace {\n";
  std::vector<std::string> Entries;
  for (int I = 2; I < argc; ++I) {
    const QImage Png(QString::fromLocal8Bit(argv[I]));
    if (Png.isNull()) {
      std::fprintf(stderr, "icon_pixels_writer: cannot read %s\n", argv[I]);
      return 1;
    }
    const bool Alpha = Png.hasAlphaChannel();
    const QImage Image = Png.convertToFormat(Alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const std::string Name = "Pixels" + std::to_string(I - 2);
    Text += "const unsigned int " + Name + "[] = {";
    char Number[16];
    for (int Y = 0; Y < Image.height(); ++Y) {
      const auto* Row = reinterpret_cast<const QRgb*>(Image.constScanLine(Y));
      for (int X = 0; X < Image.width(); ++X) {
        if (X % 8 == 0) Text += "\n";
        std::snprintf(Number, sizeof Number, "0x%08x,", Row[X]);
        Text += Number;
      }
    }
    Text += "};\n";
    Entries.push_back("{" + std::to_string(Image.width()) + ", " + std::to_string(Image.height()) + ", " +
                      (Alpha ? "true" : "false") + ", " + Name + "}");
  }
  Text += "}  // namespace\n\nconst TIconPixels ProgramIconPixels[] = {\n";
  for (const std::string& Entry : Entries) Text += "    " + Entry + ",\n";
  Text += "};\nconst int ProgramIconPixelsCount = " + std::to_string(Entries.size()) + ";\n";

  QFile Out(QString::fromLocal8Bit(argv[1]));
  if (!Out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      Out.write(Text.data(), static_cast<qint64>(Text.size())) != static_cast<qint64>(Text.size())) {
    std::fprintf(stderr, "icon_pixels_writer: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
