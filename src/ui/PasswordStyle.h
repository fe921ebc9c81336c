// The application's style with one change: password boxes show every character as "*", as the Windows
// program's did, where Qt's styles choose a round dot.
#pragma once

#include <QProxyStyle>

namespace zk {

class TPasswordStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override;
};

}  // namespace zk
