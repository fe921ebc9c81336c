#include "ui/DialogFrame.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zk {

void CenterOnScreen(QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window.frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}

}  // namespace zk
