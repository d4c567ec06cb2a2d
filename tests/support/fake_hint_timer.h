// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hint state's timer on a test clock: it keeps every interval it was
// started with, and Advance runs the expiries that fall due on Expired.
#include <functional>
#include <optional>
#include <vector>

#include "hints/hint_state.h"

class TFakeHintTimer : public THintTimer {
public:
  std::vector<int> Started;  // every interval started, oldest first
  long Now = 0;
  std::optional<long> Due;        // when the running timer expires
  std::function<void()> Expired;  // what an expiry runs

  bool Running() const { return Due.has_value(); }
  void Start(int Ms) override {
    Started.push_back(Ms);
    Due = Now + Ms;
  }
  void Stop() override { Due.reset(); }
  void Advance(long Ms) {
    const long Until = Now + Ms;
    while (Due && *Due <= Until) {
      Now = *Due;
      Due.reset();
      if (Expired) Expired();
    }
    Now = Until;
  }
};
