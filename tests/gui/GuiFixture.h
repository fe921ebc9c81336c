// One run of the desktop program inside a test: the six windows over a settings file in a fresh temporary
// folder, every modal prompt scripted, and small helpers that find controls by name and drop files.
#pragma once

#include <QAbstractButton>
#include <QString>
#include <QTest>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "app/Windows.h"
#include "ui/Prompts.h"

namespace zk::test {

// The control named `name` inside `window`; the test fails when there is none.
template <typename T>
T& Control(QWidget& window, const char* name) {
  T* control = window.findChild<T*>(QString::fromLatin1(name));
  if (!control) qFatal("no control %s in %s", name, qPrintable(window.objectName()));
  return *control;
}

class TGuiFixture {
 public:
  TGuiFixture();
  ~TGuiFixture();

  TempFolder Folder;
  prompts::TPromptScript Script;
  std::string SettingsFile;  // ZK.ini in the folder; absent until a test writes it or the program closes

  // Creates the windows with these command-line words and shows the main window; returns once the
  // start-up block (messages, settings, command line) has run.
  TWindows& Start(const std::vector<std::string>& words = {});
  TWindows& Windows() { return *windows_; }

  // The settings file's "KEY=value" lines in file order, sections as "[NAME]".
  QStringList SettingsLines() const;

 private:
  std::unique_ptr<TWindows> windows_;
};

// Drops local files on a widget as a file manager does (a text/uri-list), all in one drop.
void DropFiles(QWidget& target, const std::vector<std::string>& paths);

// Runs `answer` on the password dialog as soon as the batch shows it modally.
void WhenPasswordAsked(TWindows& windows, std::function<void(QWidget& dialog)> answer);
// The usual answer: the password in both boxes (and the hint in encrypt mode), then OK.
void AnswerPassword(TWindows& windows, const QString& password, const QString& hint = {});

// Texts of the confirmation list: column `column` of every row.
QStringList ListColumn(TWindows& windows, int column);

// Encrypts `plain` into plain + ".enc" with a separate engine and removes `plain`; returns the container.
std::string MakeContainer(const std::string& plain, const std::string& password, const std::string& hint = "",
                          int32_t algorithm = 0);

// The content of a container decrypted by a separate engine (empty when decryption fails).
std::string DecryptedContent(const std::string& container, const std::string& password);

}  // namespace zk::test
