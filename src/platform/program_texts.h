#pragma once
// Every fixed text of the program, in one place, as Shift_JIS bytes.
// The source holds them as UTF-8; FixedSjis converts each exactly once, at first use.
#include <string>

#include "sjis.h"

struct TProgramTexts {
  // Drill record templates (formatted by FormatTemplate).
  std::string OperandTemplate = "%D";
  std::string ClockTemplate = FixedSjis("%.2D分%.2D秒");
  std::string QuestionTimeTemplate = FixedSjis("%.2D分%.2D秒%.3D");
  std::string CorrectLineTemplate = FixedSjis("%3D: %2D %S %2D = %3D  正解 　 　   %S");
  std::string WrongLineTemplate = FixedSjis("%3D: %2D %S %2D = %3D  不正解(%3D)  %S");
  std::string NoAnswerLineTemplate = FixedSjis("%3D: %2D %S %2D = %3S  不正解(%3D)  %S");
  std::string SummaryTemplate = FixedSjis("所要時間 %S 正答率%3.0F%%  %S");
  std::string ClockAtRest = FixedSjis("00分00秒");

  // Operator glyphs: one full-width character each.
  std::string PlusGlyph = FixedSjis("＋");   // 0x81 0x7B
  std::string MinusGlyph = FixedSjis("－");  // 0x81 0x7C
  std::string TimesGlyph = FixedSjis("×");   // 0x81 0x7E

  // Error messages (the error box appends the final ".").
  std::string NotAnInteger = FixedSjis("'%s' は整数ではありません");
  std::string NoTimer = FixedSjis("タイマーを取得できません");
  std::string CannotOpenFile = FixedSjis("ファイル \"%s\". %s は開けません");
  std::string CannotCreateFile = FixedSjis("ファイル \"%s\". %s を作成できません");
  std::string StreamWriteError = FixedSjis("ストリームへの書き込みエラー");
  std::string CannotInsertLine = FixedSjis("行を挿入できません");
  std::string ListIndexOutOfRange = FixedSjis("リストのインデックスが範囲を超えています (%d)");
  std::string BarWidthOutOfRange = FixedSjis("棒の幅は 1% から 100% でなければなりません");
  std::string BarOffsetOutOfRange = FixedSjis("棒の位置は -100% から 100% でなければなりません");
  std::string CannotMakeVisibleWindowModal = FixedSjis("表示されているウィンドウをモーダルにすることはできません");
  std::string CannotFocusDisabledWindow = FixedSjis("無効/非表示ウィンドウにはフォーカスを設定できません");

  // Main drill window.
  std::string MainWindowCaption = FixedSjis(" (^-^)) すらすら算数帳");
  std::string EqualsCaption = "=";
  std::string StartCaption = FixedSjis("開始");
  std::string UntilCorrectCaption = FixedSjis("正解する迄");
  std::string MakerCaption = FixedSjis("そよかぜ・ラボ");
  std::string AuthorCaption = FixedSjis("rezu！diz");
  std::string ScoreChartCaption = FixedSjis("成績図");
  std::string EndCaption = FixedSjis("終了");
  std::string StartHint = FixedSjis("ドリルを開始します");
  std::string EndHint = FixedSjis("ドリルを終了します");
  std::string ScoreChartHint = FixedSjis("成績履歴を表示します");
  std::string UntilCorrectHint = FixedSjis("[レ]次の問題に進みません");

  // Result graph window.
  std::string GraphWindowCaption = FixedSjis("結果グラフ");
  std::string CloseCaption = FixedSjis("閉じる");
  std::string ChartTitle = FixedSjis("結果グラフ");
  std::string LeftAxisTitle = FixedSjis("正答率（％）");
  std::string RightAxisTitle = FixedSjis("所要時間（秒）");
  std::string BarSeriesTitle = FixedSjis("正答率");
  std::string LineSeriesTitle = FixedSjis("所要時間");
  std::string BarYValuesName = FixedSjis("縦棒");

  // What assistive technology says about each control: its name, and what it
  // is for. Controls with a hint take the hint as their description.
  std::string MainWindowAccessibleName = FixedSjis("すらすら算数帳");
  std::string MainWindowDescription = FixedSjis("100問の暗算ドリルの画面です");
  std::string LeftOperandName = FixedSjis("左の数");
  std::string LeftOperandDescription = FixedSjis("問題の左側の数です");
  std::string OperatorName = FixedSjis("演算子");
  std::string OperatorDescription = FixedSjis("問題の計算の記号です（＋、－、×）");
  std::string RightOperandName = FixedSjis("右の数");
  std::string RightOperandDescription = FixedSjis("問題の右側の数です");
  std::string EqualsName = FixedSjis("等号");
  std::string EqualsDescription = FixedSjis("問題と答えの間の等号です");
  std::string AnswerName = FixedSjis("答え");
  std::string AnswerDescription = FixedSjis("答えを数字で入れ、Enter キーで確定します");
  std::string ClockName = FixedSjis("経過時間");
  std::string ClockDescription = FixedSjis("ドリルを始めてからの時間です");
  std::string LogName = FixedSjis("記録");
  std::string LogDescription = FixedSjis("答えた問題の記録です。新しいものが一番上に入ります");
  std::string LogoName = FixedSjis("ロゴ");
  std::string LogoDescription = FixedSjis("制作者のロゴです");
  std::string MakerDescription = FixedSjis("制作者の名前です");
  std::string AuthorDescription = FixedSjis("作者の名前です");
  std::string GraphWindowDescription = FixedSjis("これまでのドリルの成績のグラフの画面です");
  std::string CloseDescription = FixedSjis("グラフの画面を閉じます");
  std::string HistoryListName = FixedSjis("成績履歴");
  std::string HistoryListDescription = FixedSjis("終えたドリルごとの結果の行です");

  // The result chart's readout of one drill (the hint over its bar) and its
  // summary for assistive technology: the parts a text is made of, in order,
  // joined by the separators; a part whose figures cannot be read is left out.
  std::string ReadoutSeparator = FixedSjis("　");
  std::string ReadoutDrillTemplate = FixedSjis("%D回目");
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

  // Font face names as the windows ask for them.
  std::string GothicFace = FixedSjis("ＭＳ ゴシック");
  std::string PGothicFace = FixedSjis("ＭＳ Ｐゴシック");
  std::string PMinchoFace = FixedSjis("ＭＳ Ｐ明朝");
};

// The one instance, converted at first use.
const TProgramTexts& Texts();
