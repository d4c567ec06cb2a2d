#include "program_icon.h"

#include <QDirIterator>

QString ApplicationId() { return QStringLiteral(SURASURA_APP_ID); }

QIcon ProgramIcon() {
  // The resources hold hicolor/<size>x<size>/apps/<id>.png, as installed.
  QIcon Icon;
  QDirIterator Files(QStringLiteral(":/icons/hicolor"), {ApplicationId() + QStringLiteral(".png")}, QDir::Files,
                     QDirIterator::Subdirectories);
  while (Files.hasNext()) Icon.addFile(Files.next());
  return Icon;
}
