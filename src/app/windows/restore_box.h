// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start's box that offers the newest daily copy of a missing or damaged
// history: its date and its number of drills, 「戻す」 and 「戻さない」.
#include <QString>
#include <string>

class TApplication;
struct TRestoreOffer;

// The box's text: Notice (the damaged history's, Shift_JIS; empty when the
// history is missing) and the offer.
QString RestoreOfferText(const std::string& SjisNotice, const TRestoreOffer& Offer);

// Asks; true when the user chose 「戻す」.
bool AskToRestore(TApplication& Application, const std::string& SjisNotice, const TRestoreOffer& Offer);
