// What the fixed windows share: their frame, and their place on the screen.
#pragma once

#include <Qt>

class QPoint;
class QWidget;

namespace zk {

// A title bar with only the system menu and the close button; the size stays as the form gives it.
inline constexpr Qt::WindowFlags kSystemMenuDialog = Qt::Dialog | Qt::CustomizeWindowHint |
                                                     Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                     Qt::WindowCloseButtonHint;

// A title bar without any button: the confirmation list, which closes only by its own buttons.
inline constexpr Qt::WindowFlags kCaptionOnlyDialog =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// False where the compositor alone places the windows (Wayland): a client can neither set nor learn
// where its window stands, and keeping a window above the others is the compositor's choice too.
bool ClientPlacesWindows();

// Places a window of fixed size in the middle of the screen it is on (or the primary screen).
void CenterOnScreen(QWidget& window);

// Places a window at a saved position when that point lies on one of the current screens; otherwise (saved
// on a larger or a since unplugged monitor) wholly on the screen nearest to it.
void PlaceOnScreen(QWidget& window, const QPoint& position);

}  // namespace zk
