// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the system's font configuration (fontconfig's files and font caches)
// on a thread of its own while the toolkit connects to the display, so that
// the first font the main window looks up does not wait for it. Created first
// thing in main; Wait() before anything looks up a font.
#include <thread>

class TFontConfigLoader {
public:
  TFontConfigLoader();
  ~TFontConfigLoader();
  TFontConfigLoader(const TFontConfigLoader&) = delete;
  TFontConfigLoader& operator=(const TFontConfigLoader&) = delete;

  // Returns once the configuration is read (at once the second time).
  void Wait();

private:
  std::thread FThread;
};
