#pragma once
// The texts of the links dialog: its caption, the entries of its input mode list and button type
// options with the link values they stand for, its button captions and its messages.

#include <array>
#include <cstdint>

#include "links/link.h"
#include "text/text.h"

namespace orvex::links {

inline constexpr text::TextView kLinksDialogCaption = u"URL編集";

/// One entry of cmbInputMode and the InputMode it stands for.
struct InputModeEntry {
    text::TextView caption;
    int32_t inputMode;
};
// cmbInputMode, in list order.
inline constexpr std::array<InputModeEntry, 3> kInputModeEntries = {{
    {u"自動入力", kInputAutomatic},
    {u"手動入力", kInputOnRequest},
    {u"入力不可", kInputNever},
}};

/// One option of optButtonType and the ButtonType it stands for.
struct ButtonTypeOption {
    text::TextView caption;
    int32_t buttonType;
};
// optButtonType, by option index.
inline constexpr std::array<ButtonTypeOption, 4> kButtonTypeOptions = {{
    {u"アイコン", kButtonIcon},
    {u"アイコンと名前", kButtonIconAndName},
    {u"ビットマップ", kButtonBitmap},
    {u"名前", kButtonName},
}};

inline constexpr text::TextView kVisibleCaption = u"バーに表示する";
inline constexpr text::TextView kAddCaption = u"追加";
inline constexpr text::TextView kDeleteCaption = u"削除";
inline constexpr text::TextView kOkCaption = u"閉じる";
inline constexpr text::TextView kCancelCaption = u"Cancel";
// The name of a link made with "追加".
inline constexpr text::TextView kNewLinkName = u"新しいリンク";

// Delete on a link that is not the user's own.
inline constexpr text::TextView kCannotDeleteMessage = u"このリンクは削除できません";
// Asked before a link is deleted; its section goes from "link.ini" at once.
inline constexpr text::TextView kDeleteQuestion = u"このリンクを削除しますか";

// Writes that did not happen: the dialog stays open with every edit.
inline constexpr text::TextView kDeleteFailedMessage =
    u"リンクを削除できませんでした（link.ini に書き込めません）。\n"
    u"データフォルダに書き込めるか、ディスクに空きがあるかを確かめて下さい。";
inline constexpr text::TextView kSaveFailedMessage =
    u"リンクを保存できませんでした（link.ini に書き込めません）。\n"
    u"データフォルダに書き込めるか、ディスクに空きがあるかを確かめて下さい。\n"
    u"編集した内容はそのまま残っています。";

}  // namespace orvex::links
