#include "GuiFixture.h"

#include <unistd.h>

#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>

#include "app/MainForm.h"
#include "dialogs/ConfirmationDlg.h"
#include "dialogs/PasswordDlg.h"
#include "engine/FileEngine.h"
#include "engine/ResultTexts.h"

namespace zk::test {

TGuiFixture::TGuiFixture() : SettingsFile(Folder.Path("ZK.ini")) {}

TGuiFixture::~TGuiFixture() = default;

TWindows& TGuiFixture::Start(const std::vector<std::string>& words) {
  TProgramState state;
  state.SettingsFile = SettingsFile;
  state.StartFolder = Folder.Path();
  state.CommandLine = words;
  windows_ = std::make_unique<TWindows>(std::move(state));
  windows_->MainForm().show();
  // The start-up block runs from the event loop once the window is shown; the public-test notice is
  // always its first prompt, and the rest of the block follows it synchronously.
  if (!QTest::qWaitFor([this] { return !Script.Texts(prompts::TPromptKind::kInformation).isEmpty(); }))
    qFatal("the start-up block did not run");
  return *windows_;
}

QStringList TGuiFixture::SettingsLines() const {
  QFile file(QString::fromStdString(SettingsFile));
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList lines;
  for (const QByteArray& line : file.readAll().split('\n'))
    if (!line.trimmed().isEmpty()) lines << QString::fromUtf8(line.trimmed());
  return lines;
}

void DropFiles(QWidget& target, const std::vector<std::string>& paths) {
  // As a file manager sends them: file URIs whose bytes are percent-encoded, whatever their encoding.
  QByteArray uriList;
  for (const std::string& path : paths)
    uriList += "file://" + QByteArray::fromStdString(path).toPercentEncoding("/") + "\r\n";
  QMimeData data;
  data.setData(QStringLiteral("text/uri-list"), uriList);
  const QPointF point(target.width() / 2.0, target.height() / 2.0);
  QDragEnterEvent enter(point.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &enter);
  QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &drop);
  QCoreApplication::processEvents();  // the drop's handler follows from the event loop
}

void WhenPasswordAsked(TWindows& windows, std::function<void(QWidget& dialog)> answer) {
  QWidget* dialog = &windows.PasswordDlg();
  // The batch shows the dialog with exec(); the timer fires inside its event loop.
  QTimer::singleShot(0, dialog, [dialog, answer = std::move(answer)] {
    if (!QTest::qWaitFor([dialog] { return dialog->isVisible(); }))
      qFatal("the password dialog was not shown");
    answer(*dialog);
  });
}

void AnswerPassword(TWindows& windows, const QString& password, const QString& hint) {
  WhenPasswordAsked(windows, [password, hint](QWidget& dialog) {
    Control<QLineEdit>(dialog, "PassEdit").setText(password);
    Control<QLineEdit>(dialog, "PassCEdit").setText(password);
    QLineEdit& hintEdit = Control<QLineEdit>(dialog, "HintEdit");
    if (hintEdit.isVisibleTo(&dialog)) hintEdit.setText(hint);
    Control<QAbstractButton>(dialog, "BitBtn1").click();
    // A refused password would keep the modal dialog, and with it the test, waiting for ever.
    if (dialog.isVisible()) {
      qWarning("the password dialog refused the password");
      Control<QAbstractButton>(dialog, "BitBtn2").click();
    }
  });
}

QStringList ListColumn(TWindows& windows, int column) {
  QTableWidget& list = Control<QTableWidget>(windows.ConfirmationDlg(), "ListView");
  QStringList texts;
  for (int row = 0; row < list.rowCount(); ++row)
    texts << (list.item(row, column) ? list.item(row, column)->text() : QString());
  return texts;
}

std::string MakeContainer(const std::string& plain, const std::string& password, const std::string& hint,
                          int32_t algorithm) {
  TFileEngine engine;
  engine.EncryptFile(plain, plain + ".enc", password, hint, algorithm);
  ::unlink(plain.c_str());
  return plain + ".enc";
}

std::string DecryptedContent(const std::string& container, const std::string& password) {
  TempFolder folder;
  TFileEngine engine;
  engine.ExplicitOutputName = folder.Path("plain");
  if (engine.DecryptFile(container, password) != TResultKind::kDecrypted) return {};
  return TempFolder::ReadFile(folder.Path("plain"));
}

}  // namespace zk::test
