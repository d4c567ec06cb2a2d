// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hint window: a frameless pop-up that never takes mouse input or the focus,
// sized to its text, clamped to the desktop (on Wayland, to the window it
// belongs to), painted on the hint colour with a
// raised one-pixel border. TMyHintWindow is the program's own: the same window
// with a font 5 points larger than the system's hint font.
#include <QColor>
#include <QFont>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

class QVariantAnimation;

class THintWindow : public QWidget {
public:
  // Tick source for the pause between two showings (milliseconds, wrapping).
  using TTickSource = std::function<uint32_t()>;

  explicit THintWindow(TTickSource Ticks = nullptr);
  ~THintWindow() override;

  // The rectangle from (0, 0) that Text needs in the canvas font with lines at most
  // MaxWidth wide, plus room for the border and margins (Shift_JIS text).
  virtual QRect CalcHintRect(int MaxWidth, const std::string& Text) const;
  // Shows Text at Rect (as CalcHintRect made it, moved to its place), clamped to
  // the desktop (on Wayland, to the frame of the window under the pointer).
  virtual void ActivateHint(QRect Rect, const std::string& Text);
  // True for the events that remove a hint, whatever they are for: keys, mouse
  // buttons and wheel, the window frame, activation of the application's windows.
  static bool IsHintMsg(const QEvent& Event);

  // The window the next hint belongs to (its control's); on Wayland the hint
  // is a pop-up of that window and stays inside it.
  void SetOwner(QWidget* Window) { FOwner = Window; }

  // The hint's ground; the text takes the hint text colour, made readable on it.
  void SetColor(QColor Color);
  QColor Color() const { return FColor; }
  QColor TextColor() const { return FTextColor; }
  const QFont& CanvasFont() const { return FCanvasFont; }
  QString Text() const { return FText; }

protected:
  void paintEvent(QPaintEvent* Event) override;
  void hideEvent(QHideEvent* Event) override;
  // The raised outer edge around the client area.
  virtual void NCPaint(class QPainter& Painter);

  QFont FCanvasFont;
  QColor FHintTextColor;  // the desktop's hint text colour at creation
  QColor FTextColor;      // the colour the text is drawn in

private:
  // Where the hint may lie: the desktop; on Wayland the window it belongs to.
  QRect HintArea();
  // Lets the pointer and the clicks through to what lies below.
  void KeepTransparentForInput();
  // On Wayland, after each change of the mask: no part of the surface takes input.
  void LeaveNoInputRegion();

  void Animate(QRect Bounds);

  TTickSource FTicks;
  QPointer<QWidget> FOwner;
  QColor FColor;
  QString FText;
  bool FHaveLastActivation = false;
  uint32_t FLastActivation = 0;
  QVariantAnimation* FAnimation = nullptr;
};

class TMyHintWindow : public THintWindow {
public:
  static constexpr int ExtraPoints = 5;
  explicit TMyHintWindow(TTickSource Ticks = nullptr);
  // The character height in pixels of the text of a hint shown now.
  static int TextPixelHeight();
};

// True where the toolkit speaks Wayland: windows are placed by the compositor,
// and the pointer's place is known only inside the program's own windows.
bool OnWayland();

// Point size <-> pixel height at a pixel density, each rounded half away from zero.
int PointsToPixels(double Points, double Dpi);
int PixelsToPoints(int Pixels, double Dpi);
// The character height in pixels of Font made AddPoints points larger.
int EnlargedPixelHeight(const QFont& Font, int AddPoints, double Dpi);

// Moves R so that it lies on Desktop where it can (bottom and right edge first,
// then top and left, so a window larger than the desktop keeps its top-left on it).
QRect ClampToDesktop(QRect R, QRect Desktop);

enum class THintAnimation { None, Fade, SlideDown, SlideUp };
// How a hint appears: animated only after a pause of more than 250 ms since the last
// showing, for texts shorter than 100 bytes, when the desktop settings ask for it.
THintAnimation ChooseHintAnimation(int32_t MsSinceLastShowing, size_t TextBytes, bool AnimateSetting,
                                   bool FadeSetting, bool PointerBelowTop);
