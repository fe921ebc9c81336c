// TKTop: keeps its window above all other windows, or releases it, without moving, resizing or
// activating it.
#pragma once

class QWidget;

namespace zk {

class TKTop {
 public:
  TKTop(QWidget& owner, bool ktop);

  void SetKTop(bool ktop);

 private:
  QWidget& owner_;
};

}  // namespace zk
