// The texts the program shows at start-up, and the one web address it names.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <span>
#include <string>
#include <string_view>

namespace zk {

// The program's home page, opened from the options dialog and named in the start-up messages.
inline constexpr std::string_view kWebAddress = "https://zk.example.org/";

inline constexpr std::string_view kMainCaption = "ZK Ver3.4a";
inline constexpr std::string_view kAlreadyRunning = QT_TRANSLATE_NOOP("Messages", "すでに起動しています。");

// Each message is its lines joined with CR LF (MessageText); "{WEB}" stands for the web address. Each line is
// translated on its own.
inline constexpr std::string_view kPublicTestNotice[] = {
    QT_TRANSLATE_NOOP("Messages", "！ご注意！"),
    "",
    QT_TRANSLATE_NOOP("Messages", "これは公開テスト専用のアルファ版です！"),
    "",
    QT_TRANSLATE_NOOP("Messages", "未確認の不具合やバグが含まれている可能性がありますので、"),
    QT_TRANSLATE_NOOP("Messages",
                      "このバージョンのZKでは、不要なテスト用ファイル以外のファイルを処理しないで下さい。"),
    QT_TRANSLATE_NOOP("Messages", "（よく分からない場合は、ソフトをすぐに終了し、削除して下さい。）"),
    QT_TRANSLATE_NOOP("Messages", "また、このソフトを再配布しないで下さい。"),
    "",
    QT_TRANSLATE_NOOP("Messages", "なお、WEBサイト{WEB}ではこのバージョンでのテスト結果を受けて、"),
    QT_TRANSLATE_NOOP("Messages", "正式版を公開していきますので、定期的にお越し頂ければ幸いです。"),
    QT_TRANSLATE_NOOP("Messages", "（正式版公開時まで、テストレポートなどもお待ちしております。）"),
    "",
    QT_TRANSLATE_NOOP("Messages", "本公開テストへの皆様のご協力に感謝いたします！"),
};

inline constexpr std::string_view kFirstRunMessage[] = {
    QT_TRANSLATE_NOOP("Messages", "このメッセージは初回実行時のみ表示されます。"),
    "",
    QT_TRANSLATE_NOOP("Messages", "ZKをご利用頂きまして誠にありがとうございます。"),
    "",
    QT_TRANSLATE_NOOP("Messages", "このソフトには大変堅固な暗号技術が使用されておりますので、"),
    QT_TRANSLATE_NOOP("Messages", "このソフトを正しく安全にお使い頂き、大切な情報を保護するためにも、"),
    QT_TRANSLATE_NOOP("Messages", "ご利用の前にヘルプ等の付属ドキュメントを良くお読み下さい。"),
    "",
    QT_TRANSLATE_NOOP("Messages",
                      "また、不要なファイル等で一度、暗号化/復号テストをされてみることをお勧めいたします。"),
    "",
    QT_TRANSLATE_NOOP(
        "Messages", "なお、WEBサイト{WEB}では最新版を公開しておりますので、定期的にお越し頂ければ幸いです。"),
};

// One of the texts above as shown: translated, and for a message its lines joined with CR LF, "{WEB}"
// replaced by kWebAddress.
QString MessageText(std::string_view text);
QString MessageText(std::span<const std::string_view> lines);

}  // namespace zk
