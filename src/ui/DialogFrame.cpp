#include "ui/DialogFrame.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace zk {

bool ClientPlacesWindows() { return !QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

void CenterOnScreen(QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window.frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}

namespace {

// The square of the distance from `point` to the nearest point of `area`.
qint64 DistanceSquared(const QRect& area, const QPoint& point) {
  const qint64 x = point.x();
  const qint64 y = point.y();
  const qint64 dx = std::max({area.left() - x, qint64{0}, x - area.right()});
  const qint64 dy = std::max({area.top() - y, qint64{0}, y - area.bottom()});
  return dx * dx + dy * dy;
}

}  // namespace

void PlaceOnScreen(QWidget& window, const QPoint& position) {
  const QScreen* nearest = nullptr;
  qint64 nearestDistance = std::numeric_limits<qint64>::max();
  for (const QScreen* screen : QGuiApplication::screens()) {
    const qint64 distance = DistanceSquared(screen->geometry(), position);
    if (distance < nearestDistance) {
      nearest = screen;
      nearestDistance = distance;
    }
  }
  if (!nearest || nearestDistance == 0) {
    window.move(position);
    return;
  }
  const QRect area = nearest->availableGeometry();
  const QSize size = window.frameGeometry().size();
  window.move(std::clamp(position.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())),
              std::clamp(position.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
}

}  // namespace zk
