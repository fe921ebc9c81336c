// TStayOnTop: keeps its window above all other windows, or releases it, without moving, resizing or
// activating it.
#pragma once

class QWidget;

namespace zk {

class TStayOnTop {
 public:
  TStayOnTop(QWidget& owner, bool onTop);

  void SetStayOnTop(bool onTop);

 private:
  QWidget& owner_;
};

}  // namespace zk
