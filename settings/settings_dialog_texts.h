#pragma once
// The texts of the two settings dialogs: captions, the option groups with their option captions
// (an option's index is the value it stores), the panels of the advanced dialog and the messages.

#include <array>
#include <string_view>

#include "text/text.h"

namespace orvex::settings {

inline constexpr text::TextView kSystemSetupCaption = u"システム設定";
inline constexpr text::TextView kZolvanSetupCaption = u"Zolvan設定";

/// One group of option buttons: its control array's name, its frame's caption, its options.
struct OptionGroup {
    const char* name;
    text::TextView title;
    std::array<text::TextView, 4> options;
    int count;
};

// The system settings dialog's groups, one per key of "system.ini" section "BAR".
inline constexpr OptionGroup kBarPositionGroup = {"optBarPosition", u"バーの位置", {u"上", u"下"}, 2};
inline constexpr OptionGroup kUserButtonTypeGroup = {"optUserButtonType", u"ユーザボタン", {u"アイコン", u"アイコンと名前"}, 2};
inline constexpr OptionGroup kHelloMessageGroup = {"optHelloMessage", u"メッセージ", {u"表示しない", u"上", u"中", u"下"}, 4};

// The advanced dialog's panels, in frame order; an option's index is the value it stores. The
// texts that named the old browser name the browser Orvex drives.
inline constexpr OptionGroup kControlPanelGroup = {
    "optControlPanel", u"コントロールパネルの設定",
    {u"コントロールパネルを使用しない", u"規定値", u"PC上", u"以下で指定したURLの下"}, 4};
inline constexpr OptionGroup kHistGroup = {
    "optHist", u"応募履歴の設定", {u"記録時に内容を編集しない", u"記録時に内容を編集する"}, 2};
inline constexpr OptionGroup kBarGroup = {
    "optBar", u"バーの設定",
    {u"バー形状（従来と同様）", u"フォーム形状（自由に配置可能）", u"フォーム形状で常に上に表示"}, 3};
inline constexpr OptionGroup kFirstPageGroup = {
    "optFirstPage", u"起動時に表示するページの設定",
    {u"起動時にブラウザを起動しない", u"通常ブラウザを起動したときに開くページ", u"Orvex2000のインフォメーションページ",
     u"以下で指定したページ"},
    4};
inline constexpr OptionGroup kConstPosGroup = {"optConstPos", u"ブラウザ表示位置設定", {u"指定しない", u"以下の位置に指定"}, 2};

// The control-panel panel's notice that a change applies from the next start.
inline constexpr text::TextView kRestartNotice = u"指定変更後、Orvex2000を再起動して下さい";
inline constexpr text::TextView kNewPosCaption = u"位置変更";
inline constexpr text::TextView kUpdatePosCaption = u"更新";

// A change that could not be stored.
inline constexpr text::TextView kSystemSaveFailedMessage =
    u"システム設定を保存できませんでした（system.ini に書き込めません）。\n"
    u"データフォルダに書き込めるか、ディスクに空きがあるかを確かめて下さい。";
inline constexpr text::TextView kSettingSaveFailedMessage =
    u"設定を保存できませんでした（設定ファイルに書き込めません）。\n"
    u"この変更は次の起動までのあいだだけ有効です。";

}  // namespace orvex::settings
