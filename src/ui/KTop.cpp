#include "ui/KTop.h"

#include <QWidget>
#include <QWindow>

namespace zk {

TKTop::TKTop(QWidget& owner, bool ktop) : owner_(owner) { SetKTop(ktop); }

void TKTop::SetKTop(bool ktop) {
  Qt::WindowFlags flags = owner_.windowFlags();
  if (flags.testFlag(Qt::WindowStaysOnTopHint) == ktop) return;
  flags.setFlag(Qt::WindowStaysOnTopHint, ktop);
  // QWidget::setWindowFlags would hide the window and make it anew; telling the existing native window
  // keeps its place, its size and its activation.
  owner_.overrideWindowFlags(flags);
  if (QWindow* window = owner_.windowHandle()) window->setFlags(flags);
}

}  // namespace zk
