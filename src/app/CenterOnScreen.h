#pragma once

class QWidget;

namespace zk {

// Places a window of fixed size in the middle of the screen it is on (or the primary screen).
void CenterOnScreen(QWidget& window);

}  // namespace zk
