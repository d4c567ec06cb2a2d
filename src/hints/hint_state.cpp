// SPDX-License-Identifier: GPL-3.0-or-later
#include "hints/hint_state.h"

THintState::THintState(THintHost& Host, THintTimer& Timer, THintDisplay& Display, THintPauses Pauses)
    : FHost(Host), FTimer(Timer), FDisplay(Display), FPauses(Pauses) {}

void THintState::SetShowHints(bool Show) {
  if (!Show) CancelHint();
  FShowHints = Show;
}

void THintState::MouseMove(THintTarget Control, QPoint P) {
  THintTarget Owner = Control ? FHost.HintOwnerOf(Control) : nullptr;
  if (!Owner) {
    CancelHint();
    return;
  }
  // Still on the control whose hint was shown last: leave the hint (or its absence) alone.
  if (Owner == FHintControl && FHintControlRect.contains(P)) return;

  const int Pause = FRecentlyActive ? FPauses.ShortPause : FPauses.Pause;
  if (!FRecentlyActive || Pause != 0) {
    const bool WasRecentlyActive = FRecentlyActive;
    CancelHint();
    FRecentlyActive = WasRecentlyActive;
    FHintControl = Owner;
    StartTimer(Pause, TTimerMode::Show);
  } else {
    // A hint was up a moment ago: the next control's hint comes at once.
    FHintControl = Owner;
    ActivateHint(P);
  }
}

void THintState::TimerExpired() {
  const TTimerMode Mode = FTimerMode;
  StopTimer();
  if (Mode == TTimerMode::Show) {
    ActivateHint(FHost.CursorPos());
  } else if (Mode == TTimerMode::Hide) {
    // The hint control and the flag stay, so the hint does not come back on this control.
    FDisplay.HideHint();
  }
}

void THintState::CancelHint() {
  if (!FHintControl) return;
  if (FDisplay.HintVisible()) FDisplay.HideHint();
  FHintControl = nullptr;
  FRecentlyActive = false;
  StopTimer();
}

void THintState::StartTimer(int Milliseconds, TTimerMode Mode) {
  FTimerMode = Mode;
  FTimer.Start(Milliseconds);
}

void THintState::StopTimer() {
  if (FTimerMode == TTimerMode::Stopped) return;
  FTimerMode = TTimerMode::Stopped;
  FTimer.Stop();
}

void THintState::ActivateHint(QPoint P) {
  FRecentlyActive = false;
  const bool StillOver = FHintControl && FHost.HintOwnerOf(FHost.ControlAt(P)) == FHintControl;
  if (!FShowHints || !FHintControl || !FHost.ApplicationActive() || !StillOver) {
    CancelHint();
    return;
  }
  const std::string Text = ShortHint(FHost.HintOf(FHintControl));
  if (Text.empty()) return;

  const QPoint Pos(P.x(), P.y() + FHost.CursorMargin());
  QRect Rect = FDisplay.CalcHintRect(FHost.PrimaryScreenWidth(), Text);
  Rect.moveTopLeft(Pos);
  FHintControlRect = FHost.ScreenBoundsOf(FHintControl);
  FDisplay.ActivateHint(Rect, Text);
  FRecentlyActive = true;
  StartTimer(FPauses.HidePause, TTimerMode::Hide);
}

std::string ShortHint(const std::string& SjisHint) {
  for (size_t I = 0; I < SjisHint.size(); ++I) {
    const auto Byte = static_cast<unsigned char>(SjisHint[I]);
    if (Byte == '|') return SjisHint.substr(0, I);
    const bool LeadByte = (Byte >= 0x81 && Byte <= 0x9F) || (Byte >= 0xE0 && Byte <= 0xFC);
    if (LeadByte) ++I;
  }
  return SjisHint;
}
