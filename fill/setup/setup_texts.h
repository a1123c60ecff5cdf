#pragma once
// The texts of the person setup dialog: its caption, the captions of its tabs and controls, its
// questions and the report of a save that did not happen.

#include "text/text.h"

namespace orvex::fill::setup {

inline constexpr text::TextView kSetupCaption = u"ユーザ設定";
inline constexpr text::TextView kPersonTabCaption = u"個人情報";
inline constexpr text::TextView kAddressTabCaption = u"住所";
inline constexpr text::TextView kVisibleCaption = u"バーに表示する";
inline constexpr text::TextView kNextIconCaption = u"次のアイコン";
inline constexpr text::TextView kBuiltInIconCaption = u"標準のアイコン";
inline constexpr text::TextView kIconFileCaption = u"アイコンファイル";

// Asked at OK when no person is shown on the bar; OK goes back to the dialog.
inline constexpr text::TextView kNoVisiblePersonQuestion =
    u"バーに表示されるユーザがいません。\n"
    u"バーに表示されないと自動入力できません。\n"
    u"（バーに表示するには[バーに表示する]チェックボックスをオンにして下さい）\n\n"
    u"設定しなおしますか？";

// Asked at Cancel; OK closes without writing.
inline constexpr text::TextView kCancelQuestion = u"保存せずに設定を終了してよろしいですか";

// A save that did not happen: the dialog stays open with everything typed.
inline constexpr text::TextView kSaveFailedMessage =
    u"ユーザ設定を保存できませんでした（userdata.ini に書き込めません）。\n"
    u"データフォルダに書き込めるか、ディスクに空きがあるかを確かめて下さい。\n"
    u"入力した内容はそのまま残っています。";

/// A list of the dialog and its tool tip (also the name screen readers give it).
struct ListTip {
    const char* name;
    text::TextView tip;
};
// The tool tips of the dialog's lists.
inline constexpr ListTip kListTips[] = {
    {"cmbPerson", u"設定するユーザ"}, {"cmbSex", u"性別"},           {"cmbMarriage", u"結婚"},
    {"cmbJob1", u"職業"},             {"cmbJob2", u"職種"},           {"cmbAddress", u"このユーザの住所"},
    {"cmbAddressSel", u"設定する住所"}, {"cmbPref", u"都道府県"},
};

// Between a list line's position and its text.
inline constexpr text::TextView kLineSeparator = u" - ";

}  // namespace orvex::fill::setup
