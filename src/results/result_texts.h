// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed texts of the results, as Shift_JIS bytes: the notices about the
// history file, the command line's words about its copies, the result chart's
// titles, a drill's readout and the chart's summary for assistive technology,
// and the CSV's headings.
// The source holds them as UTF-8; FixedSjis converts each exactly once, at
// first use.
#include <string>

#include "platform/sjis.h"

struct TResultTexts {
  // Told right after the start when lines of the history hold no drill's
  // figures or a NUL byte (the file's path, how many such lines, their
  // numbers, the drills read). Nothing is taken out of the file for them.
  std::string DamagedHistoryNotice = FixedSjis(
      "履歴ファイル %S に、読めない所のある行が %D 行ありました（%S 行目）。"
      "読めた %D 回分のドリルはグラフに表示します。"
      "読めない行もファイルにそのまま残してあり、何も消していません");
  std::string LineNumberSeparator = FixedSjis("、");
  std::string MoreLineNumbers = FixedSjis("…");
  // After the message of a save that failed at a drill's end.
  std::string DrillKeptUnsaved = FixedSjis(
      "。この回のドリルの成績は消えていません。次に書き込めたときに履歴ファイルへ書き足します");
  // At the end, when finished drills could not be written into the history
  // (how many, where they wait).
  std::string KeptForRecoveryNotice = FixedSjis(
      "成績を履歴ファイルに書けなかったため、終えた %D 回分のドリルの結果を %S に残しました。"
      "次に同じフォルダーで起動したときに履歴へ書き足します");
  // A save that succeeded but left no daily copy of the history (the copies'
  // directory, the system's reason); told once a run.
  std::string CopyFailedNotice = FixedSjis(
      "履歴ファイルの毎日のコピーを %S に作れませんでした（%S）。"
      "ドリルの成績は履歴ファイルに書き込んであります");
  // A copy put back in place of the history could not be written (the
  // history's path, the system's reason).
  std::string CannotRestoreCopy = FixedSjis("コピーを履歴ファイル %S に戻せませんでした（%S）");

  // The command line's words for the one who helps: the copies of the
  // history folder, and one of them put back.
  std::string CommandUsage = FixedSjis(
      "使い方: surasura [--list-copies | --restore 年-月-日]\n"
      "  --list-copies          このフォルダーの履歴の毎日のコピーを表示します\n"
      "  --restore 2026-03-05   その日のコピーを履歴ファイル HIST_ZV.DAT に戻します");
  std::string CopiesHeading = FixedSjis("%S の履歴のコピー（%S）:");
  std::string CopyListLine = FixedSjis("  %S  %D 回分");
  std::string NoCopies = FixedSjis("%S の履歴のコピーはありません");
  std::string NoCopyOfDay = FixedSjis("%S の履歴のコピーはありません（--list-copies で一覧を表示します）");
  std::string NotADay = FixedSjis("日付は 2026-03-05 のように 年-月-日 で指定してください: %S");
  std::string CopyRestored = FixedSjis("%S のコピー（%D 回分）を %S に戻しました");
  std::string DrillsAddedToCopy = FixedSjis("コピーの後のドリル %D 回分を書き足しました");
  std::string OldHistoryKept = FixedSjis("それまでの履歴ファイルは %S として残してあります");

  // The result chart's titles: the chart's, its two value axes', and the name
  // of its bar series.
  std::string ChartTitle = FixedSjis("結果グラフ");
  std::string LeftAxisTitle = FixedSjis("正答率（％）");
  std::string RightAxisTitle = FixedSjis("所要時間（秒）");
  std::string BarSeriesTitle = FixedSjis("正答率");

  // The result chart's readout of one drill (the hint over its bar) and its
  // summary for assistive technology: the parts a text is made of, in order,
  // joined by the separators; a part whose figures cannot be read is left out.
  std::string ReadoutSeparator = FixedSjis("　");
  // The drill's count from 1, and the number under its bar: the bottom axis
  // counts from 0.
  std::string ReadoutDrillTemplate = FixedSjis("%D回目（横軸 %D）");
  std::string ReadoutPercentTemplate = FixedSjis("正答率 %D%%");
  std::string ReadoutTimeTemplate = FixedSjis("所要時間 %D分%D秒");
  std::string ChartSummaryNoDrills = FixedSjis("まだドリルの記録はありません。");
  std::string ChartSummaryCountTemplate = FixedSjis("%D回分のドリルの成績です。");
  std::string ChartSummaryLatestTemplate = FixedSjis("最新の%D回目は");
  std::string ChartSummaryPartSeparator = FixedSjis("、");
  std::string ChartSummaryBestPercentTemplate = FixedSjis("最高の正答率は %D%%");
  std::string ChartSummaryShortestTemplate = FixedSjis("最短の所要時間は %D分%D秒");
  std::string ChartSummaryShownTemplate = FixedSjis("表示は %D回分のうち %D回目から %D回目です。");
  std::string ChartSummaryNoneShown = FixedSjis("表示の範囲にドリルはありません。");
  std::string ChartSummarySentenceEnd = FixedSjis("。");

  // The headings of the history saved as CSV: each drill's number, date and
  // time, percentage, duration, and the text of a line that could not be read.
  std::string CsvNumberHeading = FixedSjis("番号");
  std::string CsvDateTimeHeading = FixedSjis("日時");
  std::string CsvPercentHeading = FixedSjis("正答率（％）");
  std::string CsvSecondsHeading = FixedSjis("所要時間（秒）");
  std::string CsvLineHeading = FixedSjis("読めなかった行");
};

// The one instance, converted at first use.
const TResultTexts& ResultTexts();
