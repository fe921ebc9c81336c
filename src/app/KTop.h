// TKTop: keeps its window above all other windows, or releases it, without moving, resizing or
// activating it.
#pragma once

class QWidget;

namespace zk {

class TKTop {
 public:
  TKTop(QWidget& owner, bool ktop);

  bool KTop() const { return ktop_; }
  void SetKTop(bool ktop);

 private:
  QWidget& owner_;
  bool ktop_ = false;
};

}  // namespace zk
