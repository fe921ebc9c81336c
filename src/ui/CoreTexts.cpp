#include "ui/CoreTexts.h"

#include <QCoreApplication>

#include "shell/IniUnit.h"
#include "ui/QtText.h"

namespace zk {
namespace {

constexpr char kContext[] = "CoreTexts";

// The core's texts for lupdate, which cannot read them where they are defined (the core has no Qt). Each
// must be the very text the core defines: a test shows every one of them in English.
[[maybe_unused]] constexpr const char* kTranslatedCoreTexts[] = {
    QT_TRANSLATE_NOOP("CoreTexts", "暗号化成功："),
    QT_TRANSLATE_NOOP("CoreTexts", "＊暗号化失敗＊："),
    QT_TRANSLATE_NOOP("CoreTexts", "復号成功 : "),
    QT_TRANSLATE_NOOP("CoreTexts", "＊古い形式です。Ver2.1で復号して下さい："),
    QT_TRANSLATE_NOOP("CoreTexts", "＊不正なファイル形式です："),
    QT_TRANSLATE_NOOP("CoreTexts", "＊パスワードが違います："),
    QT_TRANSLATE_NOOP("CoreTexts", "＊ファイルが不正です："),
    QT_TRANSLATE_NOOP("CoreTexts", "＊復号不可："),
    QT_TRANSLATE_NOOP("CoreTexts", "＊エラー：形式外または読み取り専用です。＊"),
    QT_TRANSLATE_NOOP("CoreTexts", "＊復号失敗(出力先がリンクまたはフォルダなどで、置き換えられません)："),
    QT_TRANSLATE_NOOP(
        "CoreTexts",
        "＊抹消不完全("
        "ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性があります。) : "),
    QT_TRANSLATE_NOOP("CoreTexts",
                      "＊暗号化成功("
                      "処理元ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性"
                      "があります。)："),
    QT_TRANSLATE_NOOP("CoreTexts",
                      "＊復号成功("
                      "処理元ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性"
                      "があります。)："),
    QT_TRANSLATE_NOOP("CoreTexts", "＊暗号化成功(リンク先は抹消されていません："),
    QT_TRANSLATE_NOOP("CoreTexts", ")："),
    QT_TRANSLATE_NOOP("CoreTexts", "＊復号成功(リンク先は抹消されていません："),
    QT_TRANSLATE_NOOP("CoreTexts", "＊リンクのみ削除(リンク先は抹消されていません："),
    QT_TRANSLATE_NOOP("CoreTexts", ") : "),
    QT_TRANSLATE_NOOP("CoreTexts", "＊暗号化失敗(処理元ファイル名が半角200文字以上です。)："),
    QT_TRANSLATE_NOOP("CoreTexts", "＊暗号化失敗(読み取り専用です)："),
    QT_TRANSLATE_NOOP("CoreTexts", "＊復号失敗(読み取り専用です)："),
    QT_TRANSLATE_NOOP("CoreTexts", "＊予期せぬエラー："),
    QT_TRANSLATE_NOOP("CoreTexts", "＊再暗号化不可(復号されていないファイルです)："),
    QT_TRANSLATE_NOOP("CoreTexts", "抹消成功 : "),
    QT_TRANSLATE_NOOP("CoreTexts", "抹消成功(元のデータが残っている可能性があります) : "),
    QT_TRANSLATE_NOOP("CoreTexts",
                      "＊抹消不可(ファイルが無効or読み取り専用orロックされている可能性があります。) : "),
    QT_TRANSLATE_NOOP("CoreTexts",
                      "＊暗号化成功(処理元ファイルが読み込み後に変更されたか使用中のため、抹消していません)："),
    QT_TRANSLATE_NOOP("CoreTexts",
                      "＊復号成功(処理元ファイルが読み込み後に変更されたか使用中のため、抹消していません) : "),
    QT_TRANSLATE_NOOP(
        "CoreTexts",
        "＊暗号化成功(処理元ファイルは名前のみ削除しました。データは他のハードリンクに残っています)："),
    QT_TRANSLATE_NOOP(
        "CoreTexts",
        "＊復号成功(処理元ファイルは名前のみ削除しました。データは他のハードリンクに残っています) : "),
    QT_TRANSLATE_NOOP("CoreTexts", "＊名前のみ削除(データは他のハードリンクに残っています) : "),
    QT_TRANSLATE_NOOP("CoreTexts", "＊暗号化失敗(フォルダへのリンクは辿りません)："),
    QT_TRANSLATE_NOOP("CoreTexts", "＊復号失敗(フォルダへのリンクは辿りません) : "),
    QT_TRANSLATE_NOOP("CoreTexts", "＊フォルダを読み取れません："),
    QT_TRANSLATE_NOOP("CoreTexts", "＊中断された処理の未完成ファイルです(処理しません)："),
    QT_TRANSLATE_NOOP("CoreTexts", "終了しました。　失敗数 : "),
    QT_TRANSLATE_NOOP("CoreTexts", "個"),
    QT_TRANSLATE_NOOP("CoreTexts", "全てのファイル/フォルダを正常に処理しました。"),
    QT_TRANSLATE_NOOP("CoreTexts", "以上"),
    QT_TRANSLATE_NOOP("CoreTexts",
                      "個のファイルを暗号化します。暗号化されたファイルは復号するまで他のアプリケーションから"
                      "はアクセスできなくなります。よろしいですか？"),
    QT_TRANSLATE_NOOP("CoreTexts",
                      "個のファイルを復号します。これらのファイルが正しいパスワードで暗号化されたものであるこ"
                      "とを確認してください。よろしいですか？"),
    QT_TRANSLATE_NOOP("CoreTexts",
                      "個のファイルをディスクから完全に抹消(wipe)"
                      "します。抹消されたファイルは復元が不可能となります。よろしいですか？"),
    QT_TRANSLATE_NOOP("CoreTexts", "これは抹消モードです！本当によろしいですか？"),
    QT_TRANSLATE_NOOP(
        "CoreTexts",
        "一部のファイルはコピーオンライト・ネットワーク・フラッシュメモリ等の上にあり、上書きしても元のデータ"
        "が残る可能性があります。\r\n確実に守るにはディスク全体の暗号化を使って下さい。"),
    QT_TRANSLATE_NOOP("CoreTexts", "を暗号化中"),
    QT_TRANSLATE_NOOP("CoreTexts", "を復号中"),
    QT_TRANSLATE_NOOP("CoreTexts", "を抹消中"),
    QT_TRANSLATE_NOOP("CoreTexts", "暗号化中："),
    QT_TRANSLATE_NOOP("CoreTexts", "復号中："),
    QT_TRANSLATE_NOOP("CoreTexts", "不要データ抹消中："),
    QT_TRANSLATE_NOOP("CoreTexts", "バイト　"),
    QT_TRANSLATE_NOOP("CoreTexts",
                      "入力されたパスワードが再入力されたパスワードと一致しません。再度入力してください。"),
    QT_TRANSLATE_NOOP("CoreTexts", "パスワードが入力されていません。"),
    QT_TRANSLATE_NOOP("CoreTexts", " に書き込めません"),
    QT_TRANSLATE_NOOP("CoreTexts",
                      "ヒントが長すぎます。ヒントは保存される形で750バイト（全角文字は2バイト、"
                      "Shift-JISで表せない文字を含む場合は全体がUTF-8となり1文字最大3バイト）までです。"
                      "ヒントを短くしてください。"),
    QT_TRANSLATE_NOOP(
        "CoreTexts",
        "パスワードにShift-JISで表せない文字が含まれているため、"
        "パスワード全体をUTF-8のバイト列として使用します（最低文字数もUTF-8のバイト数で数えます）。"
        "このパスワードで暗号化したファイルは、Windows版のZKでは同じパスワードを入力しても"
        "復号できません。"),
    QT_TRANSLATE_NOOP("CoreTexts",
                      "ヒントにShift-JISで表せない文字が含まれているため、ヒント全体をUTF-8で保存します。"
                      "Windows版のZKではこのヒントは正しく表示されません。"),
    QT_TRANSLATE_NOOP(
        "CoreTexts",
        "セキュリティレベルが２に設定されており、このレベルでは６文字以上のパスワードを入力する必要があります"
        "。「オプション」でセキュリティレベルを変更するか、パスワードを長くしてください。"),
    QT_TRANSLATE_NOOP(
        "CoreTexts",
        "セキュリティレベルが３に設定されており、このレベルでは１０文字以上のパスワードを入力する必要がありま"
        "す。「オプション」でセキュリティレベルを変更するか、パスワードを長くしてください。"),
    QT_TRANSLATE_NOOP(
        "CoreTexts",
        "セキュリティレベルが４に設定されており、このレベルでは２０文字以上のパスワードを入力する必要がありま"
        "す。「オプション」でセキュリティレベルを変更するか、パスワードを長くしてください。"),
    QT_TRANSLATE_NOOP("CoreTexts", "推測にかかる時間の目安："),
    QT_TRANSLATE_NOOP("CoreTexts", "（日本語の単語などは辞書にないため、実際はもっと短い場合があります）"),
    QT_TRANSLATE_NOOP("CoreTexts", "1秒未満"),
    QT_TRANSLATE_NOOP("CoreTexts", "1秒"),
    QT_TRANSLATE_NOOP("CoreTexts", "%1秒"),
    QT_TRANSLATE_NOOP("CoreTexts", "1分"),
    QT_TRANSLATE_NOOP("CoreTexts", "%1分"),
    QT_TRANSLATE_NOOP("CoreTexts", "1時間"),
    QT_TRANSLATE_NOOP("CoreTexts", "%1時間"),
    QT_TRANSLATE_NOOP("CoreTexts", "1日"),
    QT_TRANSLATE_NOOP("CoreTexts", "%1日"),
    QT_TRANSLATE_NOOP("CoreTexts", "1か月"),
    QT_TRANSLATE_NOOP("CoreTexts", "%1か月"),
    QT_TRANSLATE_NOOP("CoreTexts", "1年"),
    QT_TRANSLATE_NOOP("CoreTexts", "%1年"),
    QT_TRANSLATE_NOOP("CoreTexts", "何世紀も"),
};

}  // namespace

QString CoreText(std::string_view text) {
  return QCoreApplication::translate(kContext, std::string(text).c_str());
}

std::string ShownCoreText(std::string_view text) { return CoreText(text).toStdString(); }

QString ErrorText(const std::exception& error) {
  if (const auto* refusedWrite = dynamic_cast<const EIniWriteError*>(&error))
    return DisplayQString(refusedWrite->Path) + CoreText(kIniCannotWrite);
  return DisplayQString(error.what());
}

}  // namespace zk
