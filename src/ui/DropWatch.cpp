#include "ui/DropWatch.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace zk {
namespace {

// The local files of a drop, as bytes: the URI's percent-encoding is undone by hand, so that a name which
// is not valid UTF-8 arrives exactly as it stands on disk. Nothing is ever cut.
std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> files;
  if (!data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (!path.isEmpty()) files.emplace_back(path.constData(), static_cast<size_t>(path.size()));
  }
  return files;
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
      const QPoint point = drop->position().toPoint();
      if (OnFilesDropped) OnFilesDropped(*this, point.x(), point.y(), files);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace zk
