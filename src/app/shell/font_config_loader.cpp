// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/font_config_loader.h"

#include <fontconfig/fontconfig.h>

// The toolkit's font database calls FcInit itself when it fills in; it finds
// the configuration read by then and goes on with it. Should the thread fail
// to read it, the toolkit tries again as it would have without the thread.
TFontConfigLoader::TFontConfigLoader() : FThread([] { FcInit(); }) {}

TFontConfigLoader::~TFontConfigLoader() { Wait(); }

void TFontConfigLoader::Wait() {
  if (FThread.joinable()) FThread.join();
}
