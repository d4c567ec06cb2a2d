// SPDX-License-Identifier: GPL-3.0-or-later
// The whole result chart on the recording surface: the series filled from an
// arbitrary history as the graph window fills them, laid out and painted, then
// a random sequence of mouse presses, moves and releases (zoom, undo, scroll)
// with a paint after every event that asked for one, and now and then a new
// showing of the window. After every paint:
// - no drawing call got a coordinate beyond CoordinateLimit, so that whatever
//   a surface computes from two of them (a width, a line's length, a pixel walk)
//   stays well inside 32 bits;
// - every axis is ordered: Minimum <= Maximum and RangeMin <= RangeMax, all finite;
// - the points are the ones the history gave (zoom and scroll never touch them);
// - while no zoom or scroll is in force, the axes are as the window set them up.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "fuzz_input.h"
#include "history/history_file.h"
#include "platform/app_error.h"
#include "recording_surface.h"
#include "results/duration_axis.h"
#include "results/result_chart.h"

namespace {

// 2^24 pixels: far beyond any screen, and the sum or difference of any two
// coordinates, even multiplied by 64, is a 32-bit integer.
constexpr long long CoordinateLimit = 1LL << 24;

bool Within(int V) { return V >= -CoordinateLimit && V <= CoordinateLimit; }

void CheckCalls(const TRecordingSurface& Surface) {
  for (const TRecordedCall& Call : Surface.Calls) {
    for (const TPoint& P : Call.Points) {
      FUZZ_CHECK(Within(P.X) && Within(P.Y), "%s at (%d, %d)", Call.Op.c_str(), P.X, P.Y);
    }
    const TRect& R = Call.Rect;
    FUZZ_CHECK(Within(R.Left) && Within(R.Top) && Within(R.Right) && Within(R.Bottom), "%s (%d, %d, %d, %d)",
               Call.Op.c_str(), R.Left, R.Top, R.Right, R.Bottom);
    FUZZ_CHECK(Call.Font.Height >= -CoordinateLimit && Call.Font.Height <= CoordinateLimit, "font of height %d",
               Call.Font.Height);
  }
}

void CheckAxes(TChart& Chart) {
  for (TChartAxis* Axis : Chart.Axes()) {
    const char* Name = Axis == &Chart.LeftAxis     ? "left"
                       : Axis == &Chart.RightAxis  ? "right"
                       : Axis == &Chart.BottomAxis ? "bottom"
                       : Axis == &Chart.TopAxis    ? "top"
                                                   : "depth";
    FUZZ_CHECK(std::isfinite(Axis->Minimum) && std::isfinite(Axis->Maximum) && Axis->Minimum <= Axis->Maximum,
               "%s axis from %.17g to %.17g", Name, Axis->Minimum, Axis->Maximum);
    FUZZ_CHECK(std::isfinite(Axis->RangeMin) && std::isfinite(Axis->RangeMax) && Axis->RangeMin <= Axis->RangeMax,
               "%s axis range %.17g to %.17g", Name, Axis->RangeMin, Axis->RangeMax);
  }
}

// The axes as the window sets them up, back after an undo.
void CheckSetUpAxes(TChart& Chart) {
  FUZZ_CHECK(!Chart.LeftAxis.Automatic && Chart.LeftAxis.Minimum == 0 && Chart.LeftAxis.Maximum == 100,
             "left axis %.17g to %.17g after an undo", Chart.LeftAxis.Minimum, Chart.LeftAxis.Maximum);
  // The duration axis takes in every drill's duration, 100 to 300 s while all lie inside.
  const TDurationRange Durations = DurationAxisRange(Chart.Series(1).YValues);
  FUZZ_CHECK(!Chart.RightAxis.Automatic && Chart.RightAxis.Minimum == Durations.Minimum &&
                 Chart.RightAxis.Maximum == Durations.Maximum,
             "right axis %.17g to %.17g after an undo, the durations' range %.17g to %.17g", Chart.RightAxis.Minimum,
             Chart.RightAxis.Maximum, Durations.Minimum, Durations.Maximum);
  FUZZ_CHECK(Chart.BottomAxis.Automatic, "bottom axis not automatic after an undo");
}

struct TPointValues {
  std::vector<double> X, Y;
};

TPointValues ValuesOf(const TChartSeries& Series) {
  TPointValues Result;
  for (int I = 0; I < Series.PointCount(); ++I) {
    Result.X.push_back(Series.XValues.ValueAt(I));
    Result.Y.push_back(Series.YValues.ValueAt(I));
  }
  return Result;
}

bool Same(const TPointValues& A, const TPointValues& B) { return A.X == B.X && A.Y == B.Y; }

// A history line: a summary line with some of its field bytes from the input,
// or any bytes.
std::string HistoryLine(TFuzzInput& In) {
  static const char* const Fields[] = {"00", "99", " 5", "$F", "x7", "-9", "+1", "0x", "  ", "5 ", "ab"};
  static const char* const Percents[] = {"100", "  0", " 87", "999", "$FF", "-99", "x7F", "0x1", "   ", "1 0"};
  const uint8_t Kind = In.Byte();
  if (Kind < 200) {
    // "所要時間 MM分SS秒 正答率PPP%  2024/03/15 09:05"
    std::string Line = "\x8F\x8A\x97\x76\x8E\x9E\x8A\xD4 00\x95\xAA" "00\x95\x62 \x90\xB3\x93\x9A\x97\xA6" "  0%  2024/03/15 09:05";
    Line.replace(9, 2, Fields[In.Byte() % 11]);
    Line.replace(13, 2, Fields[In.Byte() % 11]);
    Line.replace(24, 3, Percents[In.Byte() % 10]);
    if (Kind < 180) {
      // Digits that vary the values.
      Line[9] = static_cast<char>('0' + In.Byte() % 10);
      Line[10] = static_cast<char>('0' + In.Byte() % 10);
      Line[14] = static_cast<char>('0' + In.Byte() % 10);
      Line[25] = static_cast<char>(In.Bool() ? ' ' : '0' + In.Byte() % 10);
      Line[26] = static_cast<char>('0' + In.Byte() % 10);
    }
    return Line;
  }
  return In.Text(60, '\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TFuzzInput In(Data, Size);
  THistoryFile History("/nonexistent/HIST_ZV.DAT");  // never loaded or saved here
  const int Lines = In.Range(0, 60);
  for (int I = 0; I < Lines && !In.Empty(); ++I) History.Append(HistoryLine(In));

  TRecordingSurface Surface;
  TChart Chart(Surface);
  bool Invalidated = false;
  Chart.OnInvalidate = [&Invalidated] { Invalidated = true; };
  ConfigureResultChart(Chart);
  // The graph window's chart, or a panel of some other size.
  if (In.Byte() < 200) {
    Chart.SetSize(705, 569);
  } else {
    Chart.SetSize(In.Range(0, 3000), In.Range(0, 3000));
  }

  TPointValues Bars, Line;
  auto Show = [&] {
    try {
      FillResultChart(Chart, History);
    } catch (const EConvertError&) {
      // The window shows the message; the points before the bad line stay.
    }
    Bars = ValuesOf(Chart.Series(0));
    Line = ValuesOf(Chart.Series(1));
  };
  auto Paint = [&] {
    Surface.Clear();
    Chart.Paint();
    Invalidated = false;
    CheckCalls(Surface);
    CheckAxes(Chart);
    FUZZ_CHECK(Same(ValuesOf(Chart.Series(0)), Bars) && Same(ValuesOf(Chart.Series(1)), Line),
               "the points changed");
    if (Chart.ZoomScroll.RangesRestored()) CheckSetUpAxes(Chart);
  };

  Show();
  Paint();
  const int Events = In.Range(0, 48);
  for (int I = 0; I < Events && !In.Empty(); ++I) {
    const uint8_t Kind = In.Byte() % 8;
    const TMouseButton Button = static_cast<TMouseButton>(In.Byte() % 3);
    // Mostly on the panel, sometimes far outside it: a dragging mouse reports
    // any point of the screen, whose coordinates the window system keeps in
    // 16 bits, relative to the panel.
    const bool Far = In.Byte() >= 240;
    const int X = Far ? static_cast<int16_t>(In.U16()) * 2 : In.Range(-50, 800);
    const int Y = Far ? static_cast<int16_t>(In.U16()) * 2 : In.Range(-50, 650);
    switch (Kind) {
      case 0:
      case 1: Chart.MouseDown(Button, X, Y); break;
      case 2:
      case 3:
      case 4: Chart.MouseMove(X, Y); break;
      case 5:
      case 6: Chart.MouseUp(Button, X, Y); break;
      default: Show(); break;  // the window shown again
    }
    CheckAxes(Chart);
    if (Invalidated || Kind == 7) Paint();
  }
  return 0;
}
