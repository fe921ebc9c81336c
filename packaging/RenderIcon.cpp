// zk_render_icon SOURCE.svg SIZE OUTPUT.png
//
// Draws an SVG picture into a square PNG of SIZE pixels. The icon theme's bitmaps are made at build time from
// the same vector sources, by the same renderer, as the pictures the program draws on screen.
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: zk_render_icon SOURCE.svg SIZE OUTPUT.png\n");
    return 2;
  }
  bool isNumber = false;
  const int size = QString::fromLocal8Bit(argv[2]).toInt(&isNumber);
  if (!isNumber || size < 1 || size > 4096) {
    std::fprintf(stderr, "zk_render_icon: bad size '%s'\n", argv[2]);
    return 2;
  }
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid()) {
    std::fprintf(stderr, "zk_render_icon: cannot read the picture %s\n", argv[1]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "zk_render_icon: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
