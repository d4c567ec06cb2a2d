// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words of the two windows, as UTF-8: captions, hints, and the name and
// description assistive technology gives each control (a control with a hint
// takes the hint as its description). The printed page's words are in
// app/paper/paper_texts.h; as Shift_JIS bytes, the drill's in
// drill/drill_texts.h, the results' (notices, the chart's titles, a drill's
// readout, the chart's summary) in results/result_texts.h, the history's in
// history/history_texts.h, the chart's in chart/chart_texts.h, and the font
// faces in platform/program_texts.h.
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

// The graph window's menu (right click, Shift+F10, the menu key); after the
// tab, the key that does the same.
inline constexpr char MenuPrint[] = "印刷する…\tCtrl+P";
inline constexpr char MenuSave[] = "PDF か CSV のファイルに保存する…\tCtrl+S";
inline constexpr char MenuZoomIn[] = "拡大する\t+";
inline constexpr char MenuZoomOut[] = "縮小する\t-";
inline constexpr char MenuRestore[] = "元の表示に戻す\tHome";
inline constexpr char MenuScrollLeft[] = "左へ動かす\t←";
inline constexpr char MenuScrollRight[] = "右へ動かす\t→";
inline constexpr char MenuScrollUp[] = "上へ動かす\t↑";
inline constexpr char MenuScrollDown[] = "下へ動かす\t↓";
inline constexpr char MenuLatestPage[] = "最新の回を表示する\tEnd";
inline constexpr char MenuPageBack[] = "前の回のページへ\tPage Up";
inline constexpr char MenuPageForward[] = "後の回のページへ\tPage Down";
inline constexpr char MenuName[] = "グラフのメニュー";

// Error box: its caption is the program's file name, its accessible name this.
inline constexpr char ErrorBoxName[] = "エラー";
// The question box (the start's offer of a copy of the history) likewise.
inline constexpr char QuestionBoxName[] = "確認";

// The start's offer of the newest daily copy of a missing or damaged history.
inline constexpr char HistoryMissingText[] = "このフォルダーに履歴ファイル HIST_ZV.DAT がありません。";
// The copy's year, month, day and number of drills.
inline constexpr char CopyOfferText[] = "%1年%2月%3日に取っておいた履歴のコピー（ドリル %4 回分）があります。"
                                        "このコピーを戻しますか？";
inline constexpr char CopyOfferDamagedText[] = "戻すときは、いまの履歴ファイルも消さずに別の名前（HIST_ZV.DAT.bak など）で"
                                               "残し、コピーより後のドリルはコピーに書き足します。";
inline constexpr char RestoreCaption[] = "戻す";
inline constexpr char KeepCaption[] = "戻さない";

// A window asked to do what its state forbids; thrown, like every error of
// the program, as Shift_JIS (FixedSjis).
inline constexpr char CannotMakeVisibleWindowModal[] = "表示されているウィンドウをモーダルにすることはできません";
inline constexpr char CannotFocusDisabledWindow[] = "無効/非表示ウィンドウにはフォーカスを設定できません";

}  // namespace WindowTexts
