#pragma once
// The texts of the history windows: captions, the sort list, labels, buttons and messages.

#include <array>

#include "text/text.h"

namespace orvex::history {

inline constexpr text::TextView kHistListCaption = u"応募履歴";
inline constexpr text::TextView kEditHistCaption = u"応募履歴編集";

// cmbSortType; an entry's position is its sort type.
inline constexpr std::array<text::TextView, 4> kSortEntries = {
    u"応募順\u3000新->古",
    u"応募順\u3000古->新",
    u"締切順\u3000近い->遠い",
    u"締切順\u3000遠い->近い",
};

// lblIntheday: the day, two blanks, the count and this.
inline constexpr text::TextView kInTheDaySuffix = u"件応募";
inline constexpr text::TextView kEditCaption = u"編集";
inline constexpr text::TextView kDeleteCaption = u"削除";
inline constexpr text::TextView kDeleteQuestion = u"削除してよろしいですか？";
inline constexpr text::TextView kHistorySaveFailedMessage =
    u"応募履歴を保存できませんでした（record.ini に書き込めません）。\n"
    u"データフォルダに書き込めるか、ディスクに空きがあるかを確かめて下さい。";

// The edit window's labels and the entry date shown before a record is.
inline constexpr text::TextView kCreatedPlaceholder = u"2001/12/31  12:12:12";
inline constexpr text::TextView kLimitLabel = u"締切日";
inline constexpr text::TextView kSiteNameLabel = u"サイト名";
inline constexpr text::TextView kContentsLabel = u"内容（例、XXXを*名様に）";
// Any failure of the edit window's OK.
inline constexpr text::TextView kEditErrorMessage = u"Error!";

// The start-up notice of entries whose deadline is near: the text before and after the count.
inline constexpr text::TextView kDueSoonBefore = u"締切が近い応募が";
inline constexpr text::TextView kDueSoonAfter = u"件あります（今日から3日以内）。応募履歴で確かめて下さい。";
// The list line's tool tip of such an entry, and of one whose deadline has passed.
inline constexpr text::TextView kDueTodayTip = u"今日が締切です";
inline constexpr text::TextView kDueInDaysBefore = u"締切まであと";
inline constexpr text::TextView kDueInDaysAfter = u"日です";
inline constexpr text::TextView kPastTip = u"締切を過ぎています";

}  // namespace orvex::history
