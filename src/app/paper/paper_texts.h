// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words of the chart's printed page and saved files, as UTF-8: the save
// dialog, the messages of a save or print that failed, and the page itself.
namespace PaperTexts {

// The save dialog: its caption, the two file types, the default name (the
// day's date follows it).
inline constexpr char SaveDialogCaption[] = "グラフと成績を保存";
inline constexpr char SavePdfFilter[] = "PDF（グラフと表を1ページに） (*.pdf)";
inline constexpr char SaveCsvFilter[] = "CSV（すべての記録を表計算ソフトへ） (*.csv)";
inline constexpr char SaveDefaultName[] = "すらすら算数帳の成績-";
// A file that could not be written (its path); a page that could not be printed.
inline constexpr char SaveFailedTemplate[] =
    "ファイル「%1」に保存できませんでした。保存する場所か名前を変えて、もう一度お試しください。"
    "グラフと成績の記録はそのまま残っています";
inline constexpr char PrintFailedText[] =
    "印刷できませんでした。プリンターの電源と用紙を確かめて、もう一度お試しください。"
    "グラフと成績の記録はそのまま残っています";

// The printed page (and the saved PDF).
inline constexpr char PageTitle[] = "すらすら算数帳　成績の記録";
inline constexpr char PageMadeTemplate[] = "作成日 %1";
inline constexpr char PagePeriodTemplate[] = "期間　%1 ～ %2　（ドリル %3 回）";
inline constexpr char PageNoDrills[] = "ドリルの記録はまだありません";
inline constexpr char PageUndatedTemplate[] = "期間　日付の読めない記録のみ　（ドリル %1 回）";
inline constexpr char PageDateTemplate[] = "%1年%2月%3日";
inline constexpr char PageTableCaption[] = "この12か月の成績";
inline constexpr char PageMonthTemplate[] = "%1年%2月";
inline constexpr char PageMonthHeading[] = "月";
inline constexpr char PageDrillsHeading[] = "回数";
inline constexpr char PageMeanHeading[] = "平均の正答率";
inline constexpr char PageFastestHeading[] = "最短の時間";
inline constexpr char PageMedianHeading[] = "時間の中央値";
inline constexpr char PageCountTemplate[] = "%1回";
inline constexpr char PagePercentTemplate[] = "%1%";
inline constexpr char PageDurationTemplate[] = "%1分%2秒";
inline constexpr char PageNoFigure[] = "－";
inline constexpr char PageBestTemplate[] = "最高の正答率　%1（%2）";
inline constexpr char PageFastestTemplate[] = "最短の所要時間　%1（%2）";
inline constexpr char PageDrillOnTemplate[] = "%1の%2回目";
inline constexpr char PageDrillTemplate[] = "%1回目";

}  // namespace PaperTexts
