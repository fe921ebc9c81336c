// TDropWatch: makes a widget a target for files dragged from the desktop or a file manager, and reports
// every drop once, with the drop point and the whole dropped paths in the order the drop gives them. The
// drop is accepted and finished first; OnFilesDropped follows from the event loop.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace zk {

class TDropWatch : public QObject {
 public:
  // Sender, the drop point in the control's coordinates, the dropped paths as the file system spells them.
  using TFilesDroppedEvent =
      std::function<void(TDropWatch& Sender, int X, int Y, const std::vector<std::string>& Files)>;

  TDropWatch() = default;
  ~TDropWatch() override;

  void SetWatchControl(QWidget* control);
  void SetEnabled(bool enabled);

  TFilesDroppedEvent OnFilesDropped;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Hook();
  void Unhook();

  QPointer<QWidget> control_;
  bool enabled_ = false;
};

}  // namespace zk
