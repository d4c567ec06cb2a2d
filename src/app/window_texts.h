// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words of the two windows, as UTF-8: captions, hints, and the name and
// description assistive technology gives each control (a control with a hint
// takes the hint as its description). The engine's, history's and chart's
// texts (records, messages, the chart's titles, font faces) are Shift_JIS
// bytes in program_texts.h.
namespace WindowTexts {

// Main drill window.
inline constexpr char MainWindowCaption[] = " (^-^)) すらすら算数帳";
inline constexpr char EqualsCaption[] = "=";
inline constexpr char StartCaption[] = "開始";
inline constexpr char UntilCorrectCaption[] = "正解する迄";
inline constexpr char MakerCaption[] = "そよかぜ・ラボ";
inline constexpr char AuthorCaption[] = "rezu！diz";
inline constexpr char ScoreChartCaption[] = "成績図";
inline constexpr char EndCaption[] = "終了";
inline constexpr char StartHint[] = "ドリルを開始します";
inline constexpr char EndHint[] = "ドリルを終了します";
inline constexpr char ScoreChartHint[] = "成績履歴を表示します";
inline constexpr char UntilCorrectHint[] = "[レ]次の問題に進みません";

inline constexpr char MainWindowAccessibleName[] = "すらすら算数帳";
inline constexpr char MainWindowDescription[] = "100問の暗算ドリルの画面です";
inline constexpr char LeftOperandName[] = "左の数";
inline constexpr char LeftOperandDescription[] = "問題の左側の数です";
inline constexpr char OperatorName[] = "演算子";
inline constexpr char OperatorDescription[] = "問題の計算の記号です（＋、－、×）";
inline constexpr char RightOperandName[] = "右の数";
inline constexpr char RightOperandDescription[] = "問題の右側の数です";
inline constexpr char EqualsName[] = "等号";
inline constexpr char EqualsDescription[] = "問題と答えの間の等号です";
inline constexpr char AnswerName[] = "答え";
inline constexpr char AnswerDescription[] = "答えを数字で入れ、Enter キーで確定します";
inline constexpr char ClockName[] = "経過時間";
inline constexpr char ClockDescription[] = "ドリルを始めてからの時間です";
inline constexpr char LogName[] = "記録";
inline constexpr char LogDescription[] = "答えた問題の記録です。新しいものが一番上に入ります";
inline constexpr char LogoName[] = "ロゴ";
inline constexpr char LogoDescription[] = "制作者のロゴです";
inline constexpr char MakerDescription[] = "制作者の名前です";
inline constexpr char AuthorDescription[] = "作者の名前です";

// Result graph window.
inline constexpr char GraphWindowCaption[] = "結果グラフ";
inline constexpr char CloseCaption[] = "閉じる";
inline constexpr char GraphWindowDescription[] = "これまでのドリルの成績のグラフの画面です";
inline constexpr char CloseDescription[] = "グラフの画面を閉じます";
inline constexpr char HistoryListName[] = "成績履歴";
inline constexpr char HistoryListDescription[] = "終えたドリルごとの結果の行です";

// Error box: its caption is the program's file name, its accessible name this.
inline constexpr char ErrorBoxName[] = "エラー";

}  // namespace WindowTexts
