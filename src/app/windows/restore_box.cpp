// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/restore_box.h"

#include "app/shell/application.h"
#include "app/windows/window_support.h"
#include "app/windows/window_texts.h"
#include "results/results.h"

QString RestoreOfferText(const std::string& SjisNotice, const TRestoreOffer& Offer) {
  const QString Before = Offer.HistoryMissing || SjisNotice.empty()
                             ? QString::fromUtf8(WindowTexts::HistoryMissingText)
                             : FromSjisText(ErrorBoxText(SjisNotice));
  const TDay Day = Offer.Copy.Day;
  QString Text = Before + QStringLiteral("\n\n") +
                 QString::fromUtf8(WindowTexts::CopyOfferText).arg(Day.Year).arg(Day.Month).arg(Day.Day).arg(Offer.Drills);
  if (!Offer.HistoryMissing) Text += QStringLiteral("\n") + QString::fromUtf8(WindowTexts::CopyOfferDamagedText);
  return Text;
}

bool AskToRestore(TApplication& Application, const std::string& SjisNotice, const TRestoreOffer& Offer) {
  return Application.AskQuestion(RestoreOfferText(SjisNotice, Offer), QString::fromUtf8(WindowTexts::RestoreCaption),
                                 QString::fromUtf8(WindowTexts::KeepCaption));
}
