#include "ui/TypingLimit.h"

#include <QLineEdit>
#include <algorithm>

namespace zk {
namespace {

class TTypingLimit : public QObject {
 public:
  TTypingLimit(QLineEdit& edit, int limit) : QObject(&edit), edit_(edit), limit_(limit), kept_(edit.text()) {
    // textEdited comes before textChanged, so kept_ still holds the text before the edit; the current text
    // is read rather than the signal's, which may be the one just put back.
    connect(&edit, &QLineEdit::textEdited, this, &TTypingLimit::Edited);
    connect(&edit, &QLineEdit::textChanged, this, [this] { kept_ = edit_.text(); });
  }

 private:
  void Edited(const QString& text) {
    const qsizetype allowed = std::max<qsizetype>(limit_, kept_.size());
    if (text.size() <= allowed) return;
    // The characters just inserted stand before the cursor; the excess of them is dropped.
    const qsizetype excess = text.size() - allowed;
    const qsizetype cursor = edit_.cursorPosition();
    const qsizetype from = std::max<qsizetype>(0, cursor - excess);
    edit_.setText(QString(text).remove(from, excess));
    edit_.setCursorPosition(static_cast<int>(from));
  }

  QLineEdit& edit_;
  const int limit_;
  QString kept_;
};

}  // namespace

void LimitTyping(QLineEdit& edit, int limit) {
  edit.setMaxLength(32767);  // Qt's default: no cut of what the program sets
  new TTypingLimit(edit, limit);
}

}  // namespace zk
