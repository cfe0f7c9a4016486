// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the game's icons for the desktop's icon theme at build time, from
// the same drawing as the windows' icon:
//   kickmark-icons OUTDIR ICON-NAME
// makes OUTDIR/hicolor/<n>x<n>/apps/ICON-NAME.png at every size the theme
// keeps and OUTDIR/hicolor/scalable/apps/ICON-NAME.svg.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

#include "screens/look.h"

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kickmark-icons OUTDIR ICON-NAME\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString out = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(out).arg(size);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      km::screens::PaintGameIcon(painter, size);
    }
    if (!QDir().mkpath(folder) || !image.save(folder + QLatin1Char('/') + name + ".png")) {
      std::fprintf(stderr, "kickmark-icons: could not write the %dx%d icon\n", size, size);
      return 1;
    }
  }
  const QString folder = out + QStringLiteral("/hicolor/scalable/apps");
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "kickmark-icons: could not make %s\n", qPrintable(folder));
    return 1;
  }
  constexpr int kScalable = 256;
  QSvgGenerator svg;
  svg.setFileName(folder + QLatin1Char('/') + name + ".svg");
  svg.setSize(QSize(kScalable, kScalable));
  svg.setViewBox(QRect(0, 0, kScalable, kScalable));
  svg.setTitle(QStringLiteral("Kickmark"));
  {
    QPainter painter(&svg);
    km::screens::PaintGameIcon(painter, kScalable);
  }
  if (!QFileInfo(svg.fileName()).size()) {
    std::fprintf(stderr, "kickmark-icons: could not write the scalable icon\n");
    return 1;
  }
  return 0;
}
