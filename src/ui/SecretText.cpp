#include "ui/SecretText.h"

#include <string.h>

#include <QLineEdit>

namespace zk {

void EraseText(std::string& text) {
  ::explicit_bzero(text.data(), text.size());
  text.clear();
}

void EraseText(QLineEdit& edit) {
  QString text = edit.text();
  // The copy shares the edit's own characters; writing through constData() reaches them, where any
  // non-const access would first make a private copy and wipe only that.
  ::explicit_bzero(const_cast<QChar*>(text.constData()), static_cast<size_t>(text.size()) * sizeof(QChar));
  edit.setText(QString());
}

}  // namespace zk
