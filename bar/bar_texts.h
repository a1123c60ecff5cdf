#pragma once
// The bar's own texts: messages, questions, prompts, captions and the status texts it writes for
// the browser windows. Kept apart from the code that shows them.

#include "text/text.h"

namespace orvex::bar {

// The product name: the title of every message box and the start of every status text.
inline constexpr text::TextView kProductName = u"Orvex2000";
// The bar's own caption (the title of the help message).
inline constexpr text::TextView kBarCaption = u"Orvex2000";

// A person button clicked while no person is set up.
inline constexpr text::TextView kNoPersonMessage = u"設定がされていません。右クリックしてユーザ設定をして下さい";
// Asked before an automatic link opens while the first person button is not shown.
inline constexpr text::TextView kPersonSetupQuestion =
    u"ユーザ設定がされていないか、ユーザボタンが表示されていません。\n"
    u"ユーザ設定をしないと自動入力できません。\n\n"
    u"ユーザ設定をしますか？";

// The page icon offer of "リンク追加".
inline constexpr text::TextView kIconOfferQuestion = u"このページにはアイコンが設定されています。ダウンロードしますか？";
inline constexpr text::TextView kDownloadingNote = u"ダウンロード中。お待ち下さい。";
inline constexpr text::TextView kDownloadFailedBefore = u"ダウンロードを中止します（";
inline constexpr text::TextView kDownloadFailedAfter = u"）";

// A setting that applies from the next start.
inline constexpr text::TextView kNextStartMessage = u"次回の起動時より有効となります。";
// A setting that could not be stored (the old value stays).
inline constexpr text::TextView kSettingNotStoredMessage = u"設定を保存できませんでした。";

// Captions of the prize mode menu entry.
inline constexpr text::TextView kPrizeModeOnCaption = u"メルマガモード On";
inline constexpr text::TextView kPrizeModeOffCaption = u"メルマガモード Off";

// The help command without a bundled help page.
inline constexpr text::TextView kNoHelpMessage =
    u"ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。";

// The hidden parameter prompts and their checks.
inline constexpr text::TextView kParameter1Prompt = u"ﾊﾟﾗﾒｰﾀ1を入力してください。";
inline constexpr text::TextView kParameter2Prompt = u"ﾊﾟﾗﾒｰﾀ2を入力してください。";
inline constexpr text::TextView kNotNumberMessage = u"数値を入力してください。";
inline constexpr text::TextView kNotPositiveMessage = u"正の数値を入力してください。";

// A favourite that could not be written: the text before and after the reason.
inline constexpr text::TextView kFavoriteFailedBefore = u"お気に入りに追加できませんでした（";
inline constexpr text::TextView kFavoriteFailedAfter = u"）";

// The browser refused to open a window the bar asked for.
inline constexpr text::TextView kWindowNotOpenedMessage = u"ブラウザのウィンドウを開けませんでした。";
// A link that adopted windows take is missing from the collection.
inline constexpr text::TextView kNoLinkForWindowMessage = u"ブラウザのリンクがありません。";

// No browser could be started: the text before the reason, then how to get one (the setting
// and the package are filled in where the marks stand).
inline constexpr text::TextView kNoBrowserBefore = u"ブラウザを起動できません（";
inline constexpr text::TextView kNoBrowserAfter =
    u"）。\n設定ファイル %FILE% の [data] に BrowserPath=ブラウザのパス を書くか、"
    u"パッケージ %PACKAGE% をインストールして下さい。";
// The package that provides the browser on this platform.
inline constexpr text::TextView kBrowserPackage = u"chromium";

// The product name of the browser the program drives: the caption of the built-in browser link,
// whose stored name is that of the browser the program was first made for.
inline constexpr text::TextView kDrivenBrowserName = u"Chromium";

// Status texts written for a browser window (the browser has no status bar; the bar shows them).
inline constexpr text::TextView kAutoModeText = u"(自動入力モード) ";
inline constexpr text::TextView kAutoModeStoppedText = u"(自動入力モード停止中) ";
inline constexpr text::TextView kManualModeText = u"(手動入力モード)";

// The about window: the licence line and the heading of the data directory.
inline constexpr text::TextView kLicenceText = u"Copyright (C) Orvex. All rights reserved.";

}  // namespace orvex::bar
