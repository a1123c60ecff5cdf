#pragma once
// The program's string table: the captions of the standard template menus (file, edit, view,
// tools, help and their items) and of the template dialogs' labels, numbered 1000 to 1058.
// Windows name an entry by number in a control's tag; the caption mechanism puts the entry's
// text there. Qt-free, so the table and the tag rules are tested without a display.

#include <array>
#include <optional>

#include "text/text.h"

namespace orvex::gui {

struct StringEntry {
    int id;
    text::TextView text;
};

// First and last entry number of the table.
inline constexpr int kFirstStringId = 1000;
inline constexpr int kLastStringId = 1058;
// The template menus of the bar (mnuFile... to mnuHelp...) use the entries up to this one.
inline constexpr int kLastMenuStringId = 1030;

// Entries 1000-1030: the template menu captions, a top menu followed by its items; entries
// 1031-1058: the template dialogs' labels, buttons, tabs, tool bar tips and list columns.
inline constexpr std::array<StringEntry, 59> kStringTable = {{
    {1000, u"ファイル(&F)"},
    {1001, u"新規作成(&N)"},
    {1002, u"開く(&O)..."},
    {1003, u"閉じる(&C)"},
    {1004, u"上書き保存(&S)"},
    {1005, u"名前を付けて保存(&A)..."},
    {1006, u"すべて保存(&L)"},
    {1007, u"プロパティ(&I)"},
    {1008, u"ページ設定(&U)..."},
    {1009, u"印刷(&P)..."},
    {1010, u"終了(&X)"},
    {1011, u"編集(&E)"},
    {1012, u"元に戻す(&U)"},
    {1013, u"切り取り(&T)"},
    {1014, u"コピー(&C)"},
    {1015, u"貼り付け(&P)"},
    {1016, u"すべて選択(&A)"},
    {1017, u"表示(&V)"},
    {1018, u"ツール バー(&T)"},
    {1019, u"ステータス バー(&B)"},
    {1020, u"最新の情報に更新(&R)"},
    {1021, u"大きいアイコン(&G)"},
    {1022, u"小さいアイコン(&M)"},
    {1023, u"一覧(&L)"},
    {1024, u"詳細(&D)"},
    {1025, u"ツール(&T)"},
    {1026, u"オプション(&O)..."},
    {1027, u"ヘルプ(&H)"},
    {1028, u"目次(&C)"},
    {1029, u"トピックの検索(&S)..."},
    {1030, u"バージョン情報(&A)..."},
    {1031, u"OK"},
    {1032, u"キャンセル"},
    {1033, u"適用(&A)"},
    {1034, u"ヘルプ(&H)"},
    {1035, u"閉じる"},
    {1036, u"はい(&Y)"},
    {1037, u"いいえ(&N)"},
    {1038, u"ユーザー名(&U):"},
    {1039, u"パスワード(&P):"},
    {1040, u"ログイン"},
    {1041, u"オプション"},
    {1042, u"全般"},
    {1043, u"詳細設定"},
    {1044, u"ファイル名(&N):"},
    {1045, u"ファイルの種類(&T):"},
    {1046, u"検索する文字列(&N):"},
    {1047, u"次を検索(&F)"},
    {1048, u"大文字と小文字を区別する(&C)"},
    {1049, u"バージョン"},
    {1050, u"システム情報(&S)..."},
    {1051, u"この製品は著作権法により保護されています。"},
    {1052, u"新規作成"},
    {1053, u"開く"},
    {1054, u"上書き保存"},
    {1055, u"名前"},
    {1056, u"サイズ"},
    {1057, u"種類"},
    {1058, u"更新日時"},
}};
static_assert(kStringTable.size() == kLastStringId - kFirstStringId + 1);

/// True when the table's entries are numbered kFirstStringId upward without a gap.
consteval bool stringTableIsDense() {
    for (std::size_t i = 0; i < kStringTable.size(); ++i)
        if (kStringTable[i].id != kFirstStringId + static_cast<int>(i)) return false;
    return true;
}
static_assert(stringTableIsDense());

/// The text of entry `id`; nothing for a number outside 1000-1058.
std::optional<text::TextView> stringEntry(long id);

/// The number a tag holds when the whole tag (blanks around it allowed) is a decimal number,
/// optionally signed; nothing for an empty tag or one with any other character.
std::optional<long> wholeNumber(text::TextView tag);

/// The number at the start of a tag (blanks before it skipped, the digits up to the first
/// other character); 0 when the tag does not start with a number.
long leadingNumber(text::TextView tag);

/// The entry named by a tag that holds a number (labels, menus, tabs, tool bar buttons, column
/// headers, windows); nothing when the tag holds no number or names no entry.
std::optional<text::TextView> entryForNumericTag(text::TextView tag);

/// The entry named by a tag that starts with a positive number (the caption and tool tip of
/// other controls); nothing when the number is not positive or names no entry.
std::optional<text::TextView> entryForPositiveTag(text::TextView tag);

}  // namespace orvex::gui
