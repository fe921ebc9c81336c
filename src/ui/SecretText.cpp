#include "ui/SecretText.h"

#include <string.h>

#include <QLineEdit>

#include "platform/SecretBytes.h"

namespace zk {

TSecretText::~TSecretText() { Clear(); }

void TSecretText::Assign(std::string text) {
  Clear();
  text_ = std::move(text);
  Erase(text);  // what the moved-from string may still hold
}

void TSecretText::AssignFrom(const QLineEdit& box) {
  QByteArray utf8 = box.text().toUtf8();
  Clear();
  text_.assign(utf8.constData(), static_cast<size_t>(utf8.size()));
  ::explicit_bzero(utf8.data(), static_cast<size_t>(utf8.size()));
}

void TSecretText::Clear() { Erase(text_); }

void TSecretText::ClearBox(QLineEdit& box) {
  QString text = box.text();
  // The copy shares the box's own characters; writing through constData() reaches them, where any
  // non-const access would first make a private copy and wipe only that. A text set from a literal lies
  // in read-only memory that holds nothing typed, and is left alone.
  if (text.data_ptr().isMutable())
    ::explicit_bzero(const_cast<QChar*>(text.constData()), static_cast<size_t>(text.size()) * sizeof(QChar));
  box.setText(QString());
}

void TSecretText::Erase(std::string& copy) { WipeString(copy); }

}  // namespace zk
