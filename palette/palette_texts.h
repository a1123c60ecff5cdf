#pragma once
// The palette windows' own texts: captions, the phrase prompt and the usage text. Kept apart
// from the code that shows them.

#include <array>

#include "text/text.h"

namespace orvex::palette {

// Window captions of the clipboard palette and of the floating window.
inline constexpr text::TextView kClipCaption = u"Orvex2000 Clipboard";
inline constexpr text::TextView kFloatCaption = u"Orvex2000";

// The caption every button shows until its text is first set.
inline constexpr text::TextView kInitialCaption = u"-";

// Asked on a right release over a phrase button, with the phrase as the preset answer.
inline constexpr text::TextView kPhrasePrompt = u"ボタンに設定する文字列を入力してください。";

// Captions of the floating window's controls.
inline constexpr text::TextView kInputCaption = u"<< 入力";
inline constexpr text::TextView kRecordCaption = u"記録";
inline constexpr text::TextView kAutoCaption = u"Auto";
inline constexpr text::TextView kHelpCaption = u"使い方";
// Tool tips of the controls whose caption alone says little.
inline constexpr text::TextView kRecordToolTip = u"このページを応募履歴に記録します";
inline constexpr text::TextView kHomePageToolTip = u"ホームページ";
inline constexpr text::TextView kMenuToolTip = u"メニュー";
inline constexpr text::TextView kAutoToolTip = u"自動入力の切り替え";
inline constexpr text::TextView kHelpToolTip = u"Clipboardの使い方";
inline constexpr text::TextView kPersonListName = u"ユーザ";
// What screen readers hear of the "Auto" label, whose colour alone tells its state.
inline constexpr text::TextView kAutoOnDescription = u"自動入力モード";
inline constexpr text::TextView kAutoOffDescription = u"自動入力モード停止中";
// The accessible name of the hidden measuring label.
inline constexpr text::TextView kLenTestName = u"文字幅の測定";

// The usage text, line by line; helpText() ends every line with CR LF. The browser the program
// drives stands where the old texts named their browser.
inline constexpr std::array<text::TextView, 8> kHelpLines = {
    u"Clipboardの使い方",
    u"",
    u"名前などのボタンを押したまま、ブラウザ上の入力したい欄の上まで移動してボタンを離すと入力されます。("
    u"Drag&Drop)",
    u"または名前などのボタンを押してから、ブラウザ上の入力したい欄の上でマウスの右ボタンをクリックします。",
    u"出てくるメニューで'貼り付け'を選ぶと入力されます。",
    u"",
    u"一番下の5つのボタンは自由欄です。よくコメントに使うフレーズなどを入れてください。",
    u"ボタンの上でマウスの右ボタンをクリックすると設定できます。",
};

}  // namespace orvex::palette
