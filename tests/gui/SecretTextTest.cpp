// The password holder: what it takes from a box, and that clearing a box overwrites the characters the box
// held rather than a private copy of them.
#include <QLineEdit>
#include <QTest>

#include "ui/SecretText.h"

namespace zk::test {

class SecretTextTest : public QObject {
  Q_OBJECT

 private slots:
  void TakesTheBoxTextAsUtf8AndReplacesTheOldText() {
    QLineEdit box;
    box.setText(QStringLiteral("暗号 key"));
    TSecretText secret;
    secret.Assign("earlier");
    secret.AssignFrom(box);
    QCOMPARE(secret.Text(), std::string("暗号 key"));
    QCOMPARE(box.text(), QStringLiteral("暗号 key"));  // taking leaves the box as it is
    secret.Clear();
    QVERIFY(secret.empty());
  }

  void ClearingABoxOverwritesItsOwnCharacters() {
    QLineEdit box;
    box.setText(QString::fromUtf8("secret"));  // as typed: the characters lie on the heap
    const QString shared = box.text();  // shares the box's characters, as any copy made meanwhile would
    TSecretText::ClearBox(box);
    QVERIFY(box.text().isEmpty());
    QCOMPARE(shared, QString(6, QChar(0)));
  }

  void ClearingABoxSetFromALiteralLeavesTheLiteralAlone() {
    QLineEdit box;
    box.setText(QStringLiteral("read-only"));
    TSecretText::ClearBox(box);  // writing there would crash
    QVERIFY(box.text().isEmpty());
  }
};

}  // namespace zk::test

QTEST_MAIN(zk::test::SecretTextTest)
#include "SecretTextTest.moc"
