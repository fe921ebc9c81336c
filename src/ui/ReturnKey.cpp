#include "ui/ReturnKey.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

namespace zk {

bool PressFocusedButton(const QWidget& window, const QKeyEvent& event) {
  if ((event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter) ||
      (event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
    return false;
  QWidget* focus = window.focusWidget();
  if (!qobject_cast<QPushButton*>(focus) && !qobject_cast<QToolButton*>(focus)) return false;
  auto* button = static_cast<QAbstractButton*>(focus);
  if (!button->isEnabled() || !button->isVisible()) return false;
  button->click();
  return true;
}

}  // namespace zk
