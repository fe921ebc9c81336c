#include "ui/DropWatch.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "shell/UriList.h"

namespace zk {
namespace {

// The local files of a drop, as bytes exactly as they stand on disk. Nothing is ever cut.
std::vector<std::string> LocalFiles(const QMimeData* data) {
  const QByteArray uriList = data->data(QStringLiteral("text/uri-list"));
  return LocalPathsOfUriList(std::string_view(uriList.constData(), static_cast<size_t>(uriList.size())));
}

}  // namespace

TDropWatch::~TDropWatch() { Unhook(); }

void TDropWatch::SetWatchControl(QWidget* control) {
  Unhook();
  control_ = control;
  Hook();
}

void TDropWatch::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (control_) control_->setAcceptDrops(enabled_);
}

void TDropWatch::Hook() {
  if (!control_) return;
  control_->installEventFilter(this);
  control_->setAcceptDrops(enabled_);
}

void TDropWatch::Unhook() {
  if (!control_) return;
  control_->removeEventFilter(this);
  control_->setAcceptDrops(false);
}

bool TDropWatch::eventFilter(QObject* watched, QEvent* event) {
  if (watched != control_ || !enabled_) return false;
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      if (LocalFiles(drag->mimeData()).empty()) return false;
      drag->setDropAction(Qt::CopyAction);
      drag->accept();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const std::vector<std::string> files = LocalFiles(drop->mimeData());
      if (files.empty()) return false;
      drop->setDropAction(Qt::CopyAction);
      drop->accept();
      // The handler may run a whole batch and close every window; the drop source still waits for this
      // drop to be finished, so the handler runs from the event loop once the drop has been delivered.
      const QPoint point = drop->position().toPoint();
      QMetaObject::invokeMethod(
          this,
          [this, point, files] {
            if (OnFilesDropped) OnFilesDropped(*this, point.x(), point.y(), files);
          },
          Qt::QueuedConnection);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace zk
