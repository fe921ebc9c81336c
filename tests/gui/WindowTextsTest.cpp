// What every window shows and tells a screen reader, in both languages: every control has an accessible
// name, the picture buttons a description, English windows show no Japanese, texts fit their controls, and
// every control is reached with Tab in the order of the layout.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include "GuiFixture.h"
#include "LanguageScope.h"
#include "WindowTour.h"
#include "app/Program.h"

namespace zk::test {
namespace {

const QRegularExpression kJapanese(
    QStringLiteral("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));

// Controls a user operates, by their accessible role.
bool IsControl(QAccessible::Role role) {
  switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::Slider:
    case QAccessible::SpinBox:
    case QAccessible::Table:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Link:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
      return true;
    default:
      return false;
  }
}

bool TakesTabFocus(const QWidget& widget) { return (widget.focusPolicy() & Qt::TabFocus) == Qt::TabFocus; }

// Controls (by role, or any widget that takes focus) in the accessibility tree below `node` whose name is
// empty, as "objectName (role)"; the rows of lists are content, not controls.
void CollectUnnamed(QAccessibleInterface* node, QStringList& unnamed) {
  for (int i = 0; i < node->childCount(); ++i) {
    QAccessibleInterface* child = node->child(i);
    if (!child || child->state().invisible) continue;
    auto* widget = qobject_cast<QWidget*>(child->object());
    const bool control = IsControl(child->role()) || (widget && TakesTabFocus(*widget));
    if (control && child->text(QAccessible::Name).trimmed().isEmpty())
      unnamed << QStringLiteral("%1 (role %2)")
                     .arg(child->object() ? child->object()->objectName() : QString())
                     .arg(child->role());
    const QAccessible::Role role = child->role();
    if (role != QAccessible::Table && role != QAccessible::List && role != QAccessible::ComboBox)
      CollectUnnamed(child, unnamed);
  }
}

// Visible texts of labels, buttons and group titles wider (or, wrapped, taller) than their control.
QStringList CutOffTexts(QWidget& window) {
  QStringList cut;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(&window)) continue;
    if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty()) {
      const bool fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                          : label->sizeHint().width() <= label->width();
      if (!fits) cut << label->objectName() + QStringLiteral(": ") + label->text();
    } else if (auto* box = qobject_cast<QAbstractButton*>(widget); box && !box->text().isEmpty()) {
      const bool indicator = qobject_cast<QCheckBox*>(box) || qobject_cast<QRadioButton*>(box);
      const int needed =
          indicator ? box->sizeHint().width() : box->fontMetrics().horizontalAdvance(box->text()) + 8;
      if (needed > box->width()) cut << box->objectName() + QStringLiteral(": ") + box->text();
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
      if (group->fontMetrics().horizontalAdvance(group->title()) + 16 > group->width())
        cut << group->objectName() + QStringLiteral(": ") + group->title();
    }
  }
  return cut;
}

// The widgets Tab visits, in order, from the first one of the window's focus chain.
QStringList TabOrder(QWidget& window) {
  QStringList order;
  for (QWidget* widget = window.nextInFocusChain(); widget != &window; widget = widget->nextInFocusChain())
    if (widget->isVisibleTo(&window) && widget->isEnabled() && TakesTabFocus(*widget) &&
        widget->window() == &window)
      order << widget->objectName();
  return order;
}

// Why a screen reader cannot announce a tab stop, as "objectName (role N, 'name')": its role is a bare
// container (AT-SPI's "filler" or "panel") or none, or its name is empty. Empty when it can.
QString Unannounced(QWidget& widget) {
  QAccessibleInterface* node = QAccessible::queryAccessibleInterface(&widget);
  if (!node) return widget.objectName() + QStringLiteral(" (no accessible interface)");
  const QAccessible::Role role = node->role();
  const QString name = node->text(QAccessible::Name).trimmed();
  const bool container = role == QAccessible::NoRole || role == QAccessible::Client ||
                         role == QAccessible::Separator || role == QAccessible::Pane ||
                         role == QAccessible::Grouping;
  if (!container && !name.isEmpty()) return {};
  return QStringLiteral("%1 (role %2, '%3')").arg(widget.objectName()).arg(role).arg(name);
}

const char* LanguageName(TUiLanguage language) {
  return language == TUiLanguage::kEnglish ? "English" : "Japanese";
}

}  // namespace

class WindowTextsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetUpApplication(*qApp, TUiLanguage::kJapanese); }

  void BothLanguages_data() {
    QTest::addColumn<int>("language");
    for (const TUiLanguage language : {TUiLanguage::kJapanese, TUiLanguage::kEnglish})
      QTest::newRow(LanguageName(language)) << static_cast<int>(language);
  }

  void EveryControlHasAnAccessibleName_data() { BothLanguages_data(); }
  void EveryControlHasAnAccessibleName() {
    QFETCH(int, language);
    TLanguageScope scope(static_cast<TUiLanguage>(language));
    TGuiFixture fixture;
    QStringList unnamed;
    QStringList described;
    TourWindows(fixture, [&](QWidget& window, const QString& state) {
      QStringList here;
      CollectUnnamed(QAccessible::queryAccessibleInterface(&window), here);
      for (const QString& control : here) unnamed << state + QStringLiteral(": ") + control;
      for (const char* picture : {"EncBitBtn", "DecBitBtn", "WipeSpeedButton"})
        if (auto* button = window.findChild<QWidget*>(QLatin1String(picture));
            button && button->isVisibleTo(&window))
          if (!QAccessible::queryAccessibleInterface(button)->text(QAccessible::Description).isEmpty())
            described << QLatin1String(picture);
    });
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u'\n')));
    described.removeDuplicates();
    QCOMPARE(described, QStringList({"EncBitBtn", "DecBitBtn", "WipeSpeedButton"}));
  }

  // What Tab lands on is what a screen reader announces: a named control of a role it reads.
  void EveryTabStopHasANameAndARole_data() { BothLanguages_data(); }
  void EveryTabStopHasANameAndARole() {
    QFETCH(int, language);
    TLanguageScope scope(static_cast<TUiLanguage>(language));
    TGuiFixture fixture;
    QStringList silent;
    TourWindows(fixture, [&](QWidget& window, const QString& state) {
      for (const QString& name : TabOrder(window))
        if (QWidget* stop = window.findChild<QWidget*>(name); stop)
          if (const QString problem = Unannounced(*stop); !problem.isEmpty())
            silent << state + QStringLiteral(": ") + problem;
    });
    QVERIFY2(silent.isEmpty(), qPrintable(silent.join(u'\n')));
  }

  // The security dialog's descriptions, where the minimum password length is stated, are reached by Tab as
  // read-only texts with a name, and their text is readable through the accessible text interface.
  void SecurityDescriptionsAreReadableTabStops_data() { BothLanguages_data(); }
  void SecurityDescriptionsAreReadableTabStops() {
    QFETCH(int, language);
    TLanguageScope scope(static_cast<TUiLanguage>(language));
    TGuiFixture fixture;
    QStringList reached;
    TourWindows(fixture, [&](QWidget& window, const QString& state) {
      if (state != QStringLiteral("security, level 2")) return;
      window.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&window));
      for (int stop = 0; stop < 5; ++stop) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        reached << focus->objectName();
        QVERIFY2(Unannounced(*focus).isEmpty(), qPrintable(Unannounced(*focus)));
        if (focus->objectName() != QStringLiteral("SecMemo") &&
            focus->objectName() != QStringLiteral("AlgoMemo"))
          continue;
        QAccessibleInterface* memo = QAccessible::queryAccessibleInterface(focus);
        QCOMPARE(memo->role(), QAccessible::EditableText);
        QVERIFY(memo->state().readOnly);
        QVERIFY(memo->state().focused);
        QAccessibleTextInterface* text = memo->textInterface();
        QVERIFY(text);
        const QString shown = text->text(0, text->characterCount());
        QCOMPARE(shown, qobject_cast<QPlainTextEdit*>(focus)->toPlainText());
        if (focus->objectName() == QStringLiteral("SecMemo"))
          QVERIFY2(shown.contains(u'６') || shown.contains(QStringLiteral("6 characters")),
                   qPrintable(shown));
      }
    });
    QCOMPARE(reached, QStringList({"SecTrackBar", "SecMemo", "AlgoComboBox", "AlgoMemo", "BitBtn1"}));
  }

  void EnglishWindowsShowNoJapanese() {
    TLanguageScope scope(TUiLanguage::kEnglish);
    QVERIFY(scope.Loaded());
    TGuiFixture fixture;
    QStringList japanese;
    TourWindows(fixture, [&](QWidget& window, const QString& state) {
      for (const QString& text : ShownTexts(window))
        if (text.contains(kJapanese)) japanese << state + QStringLiteral(": ") + text;
    });
    for (const prompts::TShownPrompt& prompt : fixture.Script.Shown())
      if (prompt.Text.contains(kJapanese) || prompt.Caption.contains(kJapanese))
        japanese << QStringLiteral("message: ") + prompt.Text;
    QVERIFY2(japanese.isEmpty(), qPrintable(japanese.join(u'\n')));
  }

  // The forms are laid out for the Japanese texts, pixel for pixel as the original; the English ones must fit
  // into the same places.
  void EnglishTextsFitTheirControls() {
    TLanguageScope scope(TUiLanguage::kEnglish);
    TGuiFixture fixture;
    QStringList cut;
    TourWindows(fixture, [&](QWidget& window, const QString& state) {
      for (const QString& text : CutOffTexts(window)) cut << state + QStringLiteral(": ") + text;
    });
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
  }

  // Tab reaches every control, in the order the layout shows them (the main window keeps its buttons'
  // historic order, the options button first). In the tour the own extension is not chosen (its box is
  // disabled) and a check value is registered (the password is typed once).
  void TabFollowsTheLayout() {
    const QHash<QString, QStringList> expected = {
        {"main window", {"OptionBitBtn", "EncBitBtn", "DecBitBtn", "WipeBitBtn"}},
        {"options",
         {"Label5", "RadioButton1", "RadioButton2", "RadioButton3", "WipeSpeedButton", "IncSubFolderCheckBox",
          "WipeSourceCheckBox", "WipeDecSourceCheckBox", "DoTopCheckBox", "DontClearPassCheckBox",
          "SaveHintCheckBox", "UseReEncCheckBox", "TopWipeCheckBox", "SecSetBitBtn", "ClrHashBitBtn",
          "Sha1BitBtn", "CloseBitBtn"}},
        {"security, level 1", {"SecTrackBar", "SecMemo", "AlgoComboBox", "AlgoMemo", "BitBtn1"}},
        {"hash tool", {"OpenButton", "CloseButton"}},
        {"password, encrypt",
         {"PassEdit", "HintEdit", "RadioButton1", "RadioButton2", "RadioButton3", "BitBtn1", "BitBtn2"}},
        {"password, decrypt", {"PassEdit", "BitBtn1", "BitBtn2"}},
        {"confirmation, encrypt", {"ListView", "OKBitBtn", "CloseBitBtn"}},
    };
    TGuiFixture fixture;
    QStringList seen;
    TourWindows(fixture, [&](QWidget& window, const QString& state) {
      if (!expected.contains(state)) return;
      seen << state;
      const QStringList order = TabOrder(window);
      QVERIFY2(order == expected[state], qPrintable(state + QStringLiteral(": ") + order.join(u' ')));
    });
    QCOMPARE(seen.size(), expected.size());
  }
};

}  // namespace zk::test

QTEST_MAIN(zk::test::WindowTextsTest)
#include "WindowTextsTest.moc"
