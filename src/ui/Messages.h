// The texts the program shows at start-up, and the one web address it names.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace zk {

// The program's home page, opened from the options dialog and named in the start-up messages.
inline constexpr std::string_view kWebAddress = "https://zk.example.org/";

inline constexpr std::string_view kMainCaption = "ZK Ver3.4a";
inline constexpr std::string_view kAlreadyRunning = "すでに起動しています。";

// Each message is its lines joined with CR LF (MessageText); "{WEB}" stands for the web address.
inline constexpr std::string_view kPublicTestNotice[] = {
    "！ご注意！",
    "",
    "これは公開テスト専用のアルファ版です！",
    "",
    "未確認の不具合やバグが含まれている可能性がありますので、",
    "このバージョンのZKでは、不要なテスト用ファイル以外のファイルを処理しないで下さい。",
    "（よく分からない場合は、ソフトをすぐに終了し、削除して下さい。）",
    "また、このソフトを再配布しないで下さい。",
    "",
    "なお、WEBサイト{WEB}ではこのバージョンでのテスト結果を受けて、",
    "正式版を公開していきますので、定期的にお越し頂ければ幸いです。",
    "（正式版公開時まで、テストレポートなどもお待ちしております。）",
    "",
    "本公開テストへの皆様のご協力に感謝いたします！",
};

inline constexpr std::string_view kFirstRunMessage[] = {
    "このメッセージは初回実行時のみ表示されます。",
    "",
    "ZKをご利用頂きまして誠にありがとうございます。",
    "",
    "このソフトには大変堅固な暗号技術が使用されておりますので、",
    "このソフトを正しく安全にお使い頂き、大切な情報を保護するためにも、",
    "ご利用の前にヘルプ等の付属ドキュメントを良くお読み下さい。",
    "",
    "また、不要なファイル等で一度、暗号化/復号テストをされてみることをお勧めいたします。",
    "",
    "なお、WEBサイト{WEB}では最新版を公開しておりますので、定期的にお越し頂ければ幸いです。",
};

// The lines joined with CR LF, "{WEB}" replaced by kWebAddress.
std::string MessageText(std::span<const std::string_view> lines);

}  // namespace zk
