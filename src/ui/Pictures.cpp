#include "ui/Pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace zk {
namespace {

const char* SourceOf(TPicture picture) {
  switch (picture) {
    case TPicture::kProgram:
      return ":/icons/zk.svg";
    case TPicture::kEncrypt:
      return ":/icons/encrypt.svg";
    case TPicture::kDecrypt:
      return ":/icons/decrypt.svg";
    case TPicture::kWipeBin:
      return ":/icons/wipebin.svg";
  }
  return "";
}

// Renders the vector source for every size asked, so that no picture is ever a scaled bitmap.
class TSvgIconEngine : public QIconEngine {
 public:
  explicit TSvgIconEngine(const QString& source) : source_(source) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    QSvgRenderer renderer(source_);
    if (mode == QIcon::Disabled) painter->setOpacity(0.4);
    renderer.render(painter, rect);
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pixmap;
  }

  QIconEngine* clone() const override { return new TSvgIconEngine(source_); }

 private:
  QString source_;
};

}  // namespace

QIcon Picture(TPicture picture) { return QIcon(new TSvgIconEngine(QString::fromLatin1(SourceOf(picture)))); }

}  // namespace zk
