// The language of the user interface: chosen from the locale, and the English translation of the core's
// texts as the desktop program shows them.
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>
#include <map>
#include <string>

#include "LanguageScope.h"
#include "app/Program.h"
#include "engine/BatchRules.h"
#include "engine/PasswordRules.h"
#include "engine/PasswordStrength.h"
#include "engine/Progress.h"
#include "shell/IniUnit.h"
#include "ui/CoreTexts.h"
#include "shell/Language.h"

namespace zk::test {
namespace {

const QRegularExpression kJapanese(
    QStringLiteral("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));

// Every text of the core that the desktop program shows, as it shows it.
QStringList CoreTextsShown() {
  QStringList texts;
  for (int kind = 0; kind <= static_cast<int>(TResultKind::kUnexpectedError); ++kind)
    texts << CoreText(ResultText(static_cast<TResultKind>(kind)));
  for (const TResultKind kind : {TResultKind::kEncryptedLinkTargetKept, TResultKind::kDecryptedLinkTargetKept,
                                 TResultKind::kLinkOnlyWiped})
    texts << CoreText(ResultSentence(kind, "/tmp/target"));
  for (const TBatchMode mode : {TBatchMode::kEncrypt, TBatchMode::kDecrypt, TBatchMode::kWipe})
    texts << CoreText(ConfirmationText(mode, 3));
  texts << CoreText(SummaryText(0)) << CoreText(SummaryText(2)) << CoreText(WipeWarningText(true))
        << CoreText(HintText(std::nullopt));
  for (const std::string_view status : {kStatusEncrypting, kStatusDecrypting, kStatusWiping})
    texts << CoreText(StatusLine(1, 2, "/tmp/a", status));
  for (const TProgressKind kind :
       {TProgressKind::kEncrypting, TProgressKind::kDecrypting, TProgressKind::kWiping})
    texts << CoreText(ProgressLine({kind, 1, 2}));
  for (int level = 1; level <= 4; ++level) texts << CoreText(PasswordRefusal("", level, true));
  for (int level = 2; level <= 4; ++level) texts << CoreText(PasswordRefusal("a", level, true));
  texts << CoreText(kHintTooLong) << CoreText(kPasswordBeyondShiftJis) << CoreText(kHintBeyondShiftJis);
  for (int unit = 0; unit <= static_cast<int>(TTimeUnit::kCenturies); ++unit)
    for (const long count : {1L, 3L}) texts << CoreText(GuessTimeText({static_cast<TTimeUnit>(unit), count}));
  texts << CoreText(StrengthText({.BeyondAscii = true})) << CoreText(StrengthText({}))
        << CoreText(Composed(kWeakPasswordWarning, {StrengthText({})}));
  texts << CoreText(kPasswordMismatch) << ErrorText(EIniWriteError("/ro/ZK.ini"));
  return texts;
}

}  // namespace

class TranslationTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetUpApplication(*qApp, TUiLanguage::kJapanese); }

  void LanguageFollowsTheLocale_data() {
    QTest::addColumn<QString>("environment");  // NAME=value pairs separated by blanks
    QTest::addColumn<bool>("english");
    QTest::newRow("nothing set") << "" << false;
    QTest::newRow("Japanese") << "LANG=ja_JP.UTF-8" << false;
    QTest::newRow("C") << "LANG=C" << false;
    QTest::newRow("C.UTF-8") << "LANG=C.UTF-8" << false;
    QTest::newRow("POSIX") << "LANG=POSIX" << false;
    QTest::newRow("English") << "LANG=en_US.UTF-8" << true;
    QTest::newRow("German") << "LANG=de_DE.UTF-8" << true;
    QTest::newRow("LC_MESSAGES before LANG") << "LC_MESSAGES=ja_JP.UTF-8 LANG=en_GB.UTF-8" << false;
    QTest::newRow("LC_ALL before LC_MESSAGES") << "LC_ALL=en_US.UTF-8 LC_MESSAGES=ja_JP.UTF-8" << true;
    QTest::newRow("an empty LC_ALL does not count") << "LC_ALL= LANG=en_US.UTF-8" << true;
    QTest::newRow("LANGUAGE before the locale") << "LANGUAGE=ja LANG=en_US.UTF-8" << false;
    QTest::newRow("LANGUAGE: first known entry") << "LANGUAGE=fr:en:ja LANG=ja_JP.UTF-8" << true;
    QTest::newRow("LANGUAGE without a known entry") << "LANGUAGE=fr:de LANG=ja_JP.UTF-8" << false;
    QTest::newRow("LANGUAGE is ignored under C") << "LANGUAGE=en LANG=C.UTF-8" << false;
    QTest::newRow("Japanese with a modifier") << "LC_ALL=ja_JP@cjknarrow" << false;
  }

  void LanguageFollowsTheLocale() {
    QFETCH(QString, environment);
    QFETCH(bool, english);
    std::map<std::string, std::string> variables;
    for (const QString& pair : environment.split(u' ', Qt::SkipEmptyParts)) {
      const qsizetype equals = pair.indexOf(u'=');
      variables[pair.left(equals).toStdString()] = pair.mid(equals + 1).toStdString();
    }
    const TUiLanguage language = UiLanguage([&variables](const char* name) -> const char* {
      const auto found = variables.find(name);
      return found == variables.end() ? nullptr : found->second.c_str();
    });
    QCOMPARE(language == TUiLanguage::kEnglish, english);
  }

  // English: the program's own translation (Qt's texts are English already); Japanese: Qt's translation of
  // its standard buttons and dialogs (the program's texts are Japanese already).
  void EachLanguageLoadsItsTranslation() {
    for (const TUiLanguage language : {TUiLanguage::kEnglish, TUiLanguage::kJapanese}) {
      QTranslator* translator = InstallTranslations(*qApp, language);
      if (!translator) {
        QVERIFY(language == TUiLanguage::kJapanese);
        QSKIP("qtbase_ja is not installed (qt6-translations-l10n)");
      }
      const QString file = QFileInfo(translator->filePath()).fileName();
      QCoreApplication::removeTranslator(translator);
      delete translator;
      QCOMPARE(file, language == TUiLanguage::kEnglish ? QStringLiteral("zk_en.qm")
                                                       : QStringLiteral("qtbase_ja.qm"));
    }
  }

  void EveryCoreTextShowsInEnglish() {
    const QStringList japanese = CoreTextsShown();
    TLanguageScope english(TUiLanguage::kEnglish);
    QVERIFY(english.Loaded());
    const QStringList shown = CoreTextsShown();
    QCOMPARE(shown.size(), japanese.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
      QVERIFY2(japanese[i].contains(kJapanese), qPrintable(japanese[i]));  // the source text is Japanese
      QVERIFY2(!shown[i].contains(kJapanese), qPrintable(shown[i]));
    }
    QCOMPARE(shown[static_cast<int>(TResultKind::kEncrypted)], QStringLiteral("Encrypted: "));
    QCOMPARE(shown.last(), QStringLiteral("/ro/ZK.ini cannot be written."));
  }

  // English shows the sizes in binary units; Japanese counts the bytes as the original does.
  void ProgressLinesInEachLanguage_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<qint64>("done");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("japanese");
    const int encrypting = static_cast<int>(TProgressKind::kEncrypting);
    const int decrypting = static_cast<int>(TProgressKind::kDecrypting);
    const int wiping = static_cast<int>(TProgressKind::kWiping);
    QTest::newRow("MiB") << encrypting << qint64{460275718} << qint64{734003206}
                         << "Encrypting: 438.9 MiB of 700.0 MiB (63%)"
                         << "暗号化中：460275718/734003206バイト　63%";
    QTest::newRow("nothing yet, under a KiB")
        << decrypting << qint64{0} << qint64{900} << "Decrypting: 0 B of 900 B (0%)"
        << "復号中：0/900バイト　0%";
    QTest::newRow("GiB") << decrypting << qint64{1073741823} << qint64{2147483648}
                         << "Decrypting: 1023.9 MiB of 2.0 GiB (50%)"
                         << "復号中：1073741823/2147483648バイト　50%";
    QTest::newRow("wipe") << wiping << qint64{5} << qint64{10} << "Wiping: 50%"
                          << "不要データ抹消中：50%";
  }

  void ProgressLinesInEachLanguage() {
    QFETCH(int, kind);
    QFETCH(qint64, done);
    QFETCH(qint64, total);
    QFETCH(QString, english);
    QFETCH(QString, japanese);
    const TProgress progress{static_cast<TProgressKind>(kind), done, total};
    QCOMPARE(CoreText(ProgressLine(progress)), japanese);
    TLanguageScope inEnglish(TUiLanguage::kEnglish);
    QVERIFY(inEnglish.Loaded());
    QCOMPARE(CoreText(ProgressLine(progress)), english);
  }

  // zkcli and the files take the core's texts as they are, whatever the desktop program shows.
  void TheCoreTextsThemselvesStayJapanese() {
    TLanguageScope english(TUiLanguage::kEnglish);
    QCOMPARE(QString::fromStdString(RenderText(SummaryText(0))),
             QStringLiteral("全てのファイル/フォルダを正常に処理しました。"));
    QCOMPARE(QString::fromStdString(RenderText(HintText(std::nullopt))),
             QStringLiteral("＊エラー：形式外または読み取り専用です。＊"));
  }
};

}  // namespace zk::test

QTEST_MAIN(zk::test::TranslationTest)
#include "TranslationTest.moc"
