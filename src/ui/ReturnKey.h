// Return on a focused button presses it, as Space does: in plain windows, and in dialogs whose buttons take
// no default role (there Return in a box must not fire an unrelated button).
#pragma once

class QKeyEvent;
class QWidget;

namespace zk {

// True when `event` was Return or Enter without modifiers and pressed the push or tool button that has the
// focus in `window`.
bool PressFocusedButton(const QWidget& window, const QKeyEvent& event);

}  // namespace zk
