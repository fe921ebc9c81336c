#include "ui/StayOnTop.h"

#include <QWidget>
#include <QWindow>

namespace zk {

TStayOnTop::TStayOnTop(QWidget& owner, bool onTop) : owner_(owner) { SetStayOnTop(onTop); }

void TStayOnTop::SetStayOnTop(bool onTop) {
  Qt::WindowFlags flags = owner_.windowFlags();
  if (flags.testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
  flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
  // QWidget::setWindowFlags would hide the window and make it anew; telling the existing native window
  // keeps its place, its size and its activation.
  owner_.overrideWindowFlags(flags);
  if (QWindow* window = owner_.windowHandle()) window->setFlags(flags);
}

}  // namespace zk
