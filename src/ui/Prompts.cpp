#include "ui/Prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <algorithm>

namespace zk::prompts {
namespace {

TPromptScript* activeScript = nullptr;

// The messages keep the CR LF line breaks of the original; a label wants plain line feeds.
QString ForDisplay(const QString& text) {
  QString shown = text;
  return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString Caption() { return QApplication::applicationDisplayName(); }

// Records the prompt when a script is active; true when it must then not appear.
bool Scripted(TPromptKind kind, const QString& text, const QString& caption = Caption()) {
  if (!activeScript) return false;
  activeScript->Record(kind, caption, text);
  return true;
}

// The message's own lines stand unbroken where the screen allows; QMessageBox would wrap them early.
void KeepLinesWhole(QMessageBox& box) {
  auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  if (!label) return;
  int widest = 0;
  for (const QString& line : box.text().split(QLatin1Char('\n')))
    widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
  label->setMinimumWidth(std::min(widest + 8, 720));
}

void MessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text, bool onTop = false) {
  QMessageBox box(icon, Caption(), ForDisplay(text), QMessageBox::Ok, parent);
  KeepLinesWhole(box);
  box.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  box.exec();
}

}  // namespace

TPromptScript::TPromptScript() { activeScript = this; }
TPromptScript::~TPromptScript() { activeScript = nullptr; }
TPromptScript* TPromptScript::Active() { return activeScript; }

void TPromptScript::Record(TPromptKind kind, const QString& caption, const QString& text) {
  shown_.push_back({kind, caption, text});
}

bool TPromptScript::TakeAnswer() {
  if (answers_.empty()) return false;
  const bool answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::optional<QStringList> TPromptScript::TakeFiles() {
  if (files_.empty()) return std::nullopt;
  const std::optional<QStringList> files = std::move(files_.front());
  files_.pop_front();
  if (!files) return std::nullopt;
  return *files;
}

QStringList TPromptScript::Texts(TPromptKind kind) const {
  QStringList texts;
  for (const TShownPrompt& prompt : shown_)
    if (prompt.Kind == kind) texts << prompt.Text;
  return texts;
}

void Warning(QWidget* parent, const QString& text) {
  if (!Scripted(TPromptKind::kWarning, text)) MessageBox(parent, QMessageBox::Warning, text);
}

void Information(QWidget* parent, const QString& text) {
  if (!Scripted(TPromptKind::kInformation, text)) MessageBox(parent, QMessageBox::Information, text);
}

void Notice(const QString& text) {
  if (!Scripted(TPromptKind::kInformation, text)) MessageBox(nullptr, QMessageBox::Information, text, true);
}

void Error(QWidget* parent, const QString& text) {
  if (!Scripted(TPromptKind::kError, text)) MessageBox(parent, QMessageBox::Critical, text);
}

bool Confirm(QWidget* parent, const QString& text) {
  if (Scripted(TPromptKind::kConfirm, text)) return activeScript->TakeAnswer();
  QMessageBox box(QMessageBox::Question, Caption(), ForDisplay(text), QMessageBox::Yes | QMessageBox::No,
                  parent);
  box.setDefaultButton(QMessageBox::Yes);
  KeepLinesWhole(box);
  return box.exec() == QMessageBox::Yes;
}

std::optional<QStringList> ChooseFiles(QFileDialog& dialog) {
  if (Scripted(TPromptKind::kChooseFiles, {}, dialog.windowTitle())) return activeScript->TakeFiles();
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.selectedFiles();
}

void ShowText(QWidget* parent, const QString& caption, const QString& prompt, const QString& text) {
  if (Scripted(TPromptKind::kShowText, text, caption)) return;
  QInputDialog dialog(parent);
  dialog.setWindowTitle(caption);
  dialog.setLabelText(prompt);
  dialog.setTextValue(text);
  // Wide enough to show the whole text without scrolling.
  dialog.resize(dialog.fontMetrics().horizontalAdvance(text) + 80, dialog.sizeHint().height());
  dialog.exec();
}

TBusyCursor::TBusyCursor() {
  Scripted(TPromptKind::kBusyCursor, {});
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

TBusyCursor::~TBusyCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace zk::prompts
