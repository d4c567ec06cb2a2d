// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_qt/font_table.h"

#include "platform/program_texts.h"
#include "platform/sjis.h"

namespace {

struct TFontSubstitute {
  std::string TProgramTexts::*Face;
  const char* Family;
};

// The fixed-pitch Gothic draws a double-byte character exactly twice as wide as
// a single-byte one, so the drill log keeps its columns.
const TFontSubstitute FontSubstitutes[] = {
    {&TProgramTexts::GothicFace, "IPAGothic"},
    {&TProgramTexts::PGothicFace, "IPAPGothic"},
    {&TProgramTexts::PMinchoFace, "IPAPMincho"},
};

}  // namespace

QString InstalledFamily(const std::string& SjisFace) {
  for (const TFontSubstitute& Entry : FontSubstitutes) {
    if (Texts().*Entry.Face == SjisFace) return QString::fromLatin1(Entry.Family);
  }
  return QString::fromStdString(FromSjis(SjisFace));
}

QFont ProgramFont(const std::string& SjisFace, int PixelHeight) {
  QFont Font(InstalledFamily(SjisFace));
  Font.setPixelSize(PixelHeight);
  Font.setWeight(QFont::Normal);
  Font.setItalic(false);
  Font.setUnderline(false);
  Font.setStrikeOut(false);
  // Pair kerning would pull the log's columns out of line.
  Font.setKerning(false);
  return Font;
}

void InstallFontSubstitutes() {
  for (const TFontSubstitute& Entry : FontSubstitutes) {
    QFont::insertSubstitution(QString::fromStdString(FromSjis(Texts().*Entry.Face)),
                              QString::fromLatin1(Entry.Family));
  }
}
