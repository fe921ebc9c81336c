// A drag source for the real drop test: a small window at a given place that, when the mouse is pressed on
// it and moved, drags the given files as a file manager does (a text/uri-list), then ends a little later.
//
// Usage: zk_drag_source X Y FILE...   (exit status 0 when the drop was accepted, 1 when not)
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {

class TDragSource : public QWidget {
 public:
  explicit TDragSource(QList<QUrl> files) : files_(std::move(files)) {
    setWindowTitle(QStringLiteral("zk-drag-source"));
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override { pressedAt_ = event->position().toPoint(); }

  void mouseMoveEvent(QMouseEvent* event) override {
    if (!(event->buttons() & Qt::LeftButton) || dragged_) return;
    if ((event->position().toPoint() - pressedAt_).manhattanLength() < QApplication::startDragDistance())
      return;
    dragged_ = true;
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setUrls(files_);
    drag->setMimeData(data);
    const Qt::DropAction action = drag->exec(Qt::CopyAction);
    // The target fetches the dropped data after the drop, as a file manager that keeps running serves it.
    QTimer::singleShot(3000, [action] { QApplication::exit(action == Qt::CopyAction ? 0 : 1); });
  }

 private:
  QList<QUrl> files_;
  QPoint pressedAt_;
  bool dragged_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 4) return 2;
  QList<QUrl> files;
  for (int i = 3; i < argc; ++i) files << QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i]));
  TDragSource source(files);
  source.setGeometry(QString::fromLatin1(argv[1]).toInt(), QString::fromLatin1(argv[2]).toInt(), 100, 100);
  source.show();
  return QApplication::exec();
}
