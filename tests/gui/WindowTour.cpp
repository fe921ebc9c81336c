#include "WindowTour.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>

#include "GuiFixture.h"
#include "app/MainForm.h"
#include "dialogs/ConfirmationDlg.h"
#include "dialogs/HashForm.h"
#include "dialogs/OptionDlg.h"
#include "dialogs/PasswordDlg.h"
#include "dialogs/SecSetDlg.h"
#include "ui/SecretText.h"

namespace zk::test {
namespace {

// Runs `visit` on a dialog that `open` shows modally, then closes it.
void VisitModal(QDialog& dialog, const std::function<void()>& open, const std::function<void()>& visit) {
  QTimer::singleShot(0, &dialog, [&dialog, visit] {
    if (!QTest::qWaitFor([&dialog] { return dialog.isVisible(); })) qFatal("a dialog was not shown");
    visit();
    dialog.reject();
  });
  open();
}

void AddTableTexts(const QTableWidget& table, QStringList& texts) {
  for (int column = 0; column < table.columnCount(); ++column)
    if (const QTableWidgetItem* header = table.horizontalHeaderItem(column)) texts << header->text();
  for (int row = 0; row < table.rowCount(); ++row)
    for (int column = 0; column < table.columnCount(); ++column)
      if (const QTableWidgetItem* item = table.item(row, column)) texts << item->text();
}

}  // namespace

QStringList ShownTexts(QWidget& window) {
  QStringList texts{window.windowTitle()};
  QList<QWidget*> widgets = window.findChildren<QWidget*>();
  widgets.prepend(&window);
  for (QWidget* widget : widgets) {
    if (!widget->isVisibleTo(&window) && widget != &window) continue;
    texts << widget->toolTip() << widget->accessibleName() << widget->accessibleDescription();
    if (auto* label = qobject_cast<QLabel*>(widget)) texts << label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) texts << button->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) texts << group->title();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) texts << memo->toPlainText();
    if (auto* table = qobject_cast<QTableWidget*>(widget)) AddTableTexts(*table, texts);
    if (auto* combo = qobject_cast<QComboBox*>(widget))
      for (int item = 0; item < combo->count(); ++item) texts << combo->itemText(item);
  }
  texts.removeAll(QString());
  return texts;
}

void TourWindows(TGuiFixture& fixture, const TWindowVisitor& visit) {
  fixture.Folder.WriteFile("ZK.ini", "[SYSTEM]\nTOPWIPE=1\nPASSHASH=0123ABCD\n");
  TWindows& windows = fixture.Start();
  visit(windows.MainForm(), QStringLiteral("main window"));

  windows.OptionDlg().show();
  visit(windows.OptionDlg(), QStringLiteral("options"));
  windows.OptionDlg().close();

  TSecSetDlg& security = windows.SecSetDlg();
  VisitModal(
      security, [&security] { security.exec(); },
      [&] {
        auto& level = Control<QSlider>(security, "SecTrackBar");
        auto& algorithm = Control<QComboBox>(security, "AlgoComboBox");
        for (int choice = 0; choice < 4; ++choice) {
          level.setValue(choice + 1);
          algorithm.setCurrentIndex(std::min(choice, 2));
          visit(security, QStringLiteral("security, level %1").arg(choice + 1));
        }
      });

  THashForm& hash = windows.HashForm();
  VisitModal(
      hash, [&hash] { hash.exec(); }, [&] { visit(hash, QStringLiteral("hash tool")); });

  TPasswordDlg& password = windows.PasswordDlg();
  for (const bool decrypting : {false, true}) {
    TSecretText secret;
    std::string hint;
    VisitModal(
        password, [&] { password.Ask(decrypting, secret, hint); },
        [&] {
          visit(password,
                decrypting ? QStringLiteral("password, decrypt") : QStringLiteral("password, encrypt"));
        });
  }

  const std::string file = fixture.Folder.WriteFile("plain.txt", "text");
  TConfirmationDlg& confirmation = windows.ConfirmationDlg();
  const struct {
    TBatchMode Mode;
    const char* Name;
  } modes[] = {
      {TBatchMode::kEncrypt, "encrypt"}, {TBatchMode::kDecrypt, "decrypt"}, {TBatchMode::kWipe, "wipe"}};
  for (const auto& mode : modes) {
    windows.MainForm().StartBatch(mode.Mode, {file});
    visit(confirmation, QStringLiteral("confirmation, %1").arg(QLatin1String(mode.Name)));
    if (mode.Mode == TBatchMode::kWipe) {
      fixture.Script.AnswerYes();
      Control<QAbstractButton>(confirmation, "OKBitBtn").click();
      visit(confirmation, QStringLiteral("confirmation, after the run"));
    }
    confirmation.close();
  }
}

}  // namespace zk::test
