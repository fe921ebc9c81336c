// Every modal question the program asks goes through here: message boxes, the file-open dialog, the text
// prompt, the error display and the busy cursor. Tests script the answers (TPromptScript) and read back what
// was shown, so every modal step runs without a person while the program's own code path is taken.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

class QFileDialog;
class QWidget;

namespace zk::prompts {

// A warning with an OK button.
void Warning(QWidget* parent, const QString& text);
// An information box with an OK button.
void Information(QWidget* parent, const QString& text);
// An information box of a program without a window of its own, above every other window.
void Notice(const QString& text);
// A confirmation with Yes and No; true only for Yes.
bool Confirm(QWidget* parent, const QString& text);
// The application's general error display (errors no window handles itself).
void Error(QWidget* parent, const QString& text);
// The files chosen in `dialog`, in the order it returns them; nothing when the user cancels.
std::optional<QStringList> ChooseFiles(QFileDialog& dialog);
// A modal prompt showing `text` in an edit field that can be selected and copied; the answer is ignored.
void ShowText(QWidget* parent, const QString& caption, const QString& prompt, const QString& text);

// The hourglass for as long as it lives.
class TBusyCursor {
 public:
  TBusyCursor();
  ~TBusyCursor();
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

enum class TPromptKind { kWarning, kInformation, kConfirm, kError, kChooseFiles, kShowText, kBusyCursor };

struct TShownPrompt {
  TPromptKind Kind;
  QString Caption;
  QString Text;  // the message, or for ShowText the preset text
};

// While a script is active no prompt appears: each one is recorded, and questions take the next scripted
// answer (Confirm: No, ChooseFiles: cancel when none is left).
class TPromptScript {
 public:
  TPromptScript();
  ~TPromptScript();
  TPromptScript(const TPromptScript&) = delete;
  TPromptScript& operator=(const TPromptScript&) = delete;

  void AnswerYes() { answers_.push_back(true); }
  void AnswerNo() { answers_.push_back(false); }
  void ChooseFiles(const QStringList& files) { files_.push_back(files); }
  void CancelFileDialog() { files_.push_back(std::nullopt); }

  const std::vector<TShownPrompt>& Shown() const { return shown_; }
  // The texts of the prompts of one kind, in the order shown.
  QStringList Texts(TPromptKind kind) const;
  void ClearShown() { shown_.clear(); }

  // The prompts module's side: the script in force, if any, records and answers.
  static TPromptScript* Active();
  void Record(TPromptKind kind, const QString& caption, const QString& text);
  bool TakeAnswer();
  std::optional<QStringList> TakeFiles();

 private:
  std::deque<bool> answers_;
  std::deque<std::optional<QStringList>> files_;
  std::vector<TShownPrompt> shown_;
};

}  // namespace zk::prompts
