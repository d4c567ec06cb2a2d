// SPDX-License-Identifier: GPL-3.0-or-later
// One running copy per history folder: the folder's identity and its lock.
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/instance_lock.h"
#include "temp_work_dir.h"

TEST(FolderKey, NamesTheFolderNotThePathToIt) {
  TTempWorkDir Work;
  ASSERT_EQ(::mkdir("history", 0700), 0);
  ASSERT_EQ(::mkdir("elsewhere", 0700), 0);
  ASSERT_EQ(::symlink("history", "link"), 0);
  const std::string Key = FolderKey("history");
  ASSERT_FALSE(Key.empty());
  EXPECT_EQ(FolderKey("link"), Key);
  EXPECT_EQ(FolderKey(Work.Path() + "/history/."), Key);
  EXPECT_NE(FolderKey("elsewhere"), Key);
  EXPECT_EQ(FolderKey("missing"), "");
}

TEST(InstanceLock, OneHolderAtATimeAndFreeOnceItIsGone) {
  TTempWorkDir Work;
  const std::string Path = Work.Path() + "/folder.lock";
  auto First = std::make_unique<TInstanceLock>(Path);
  EXPECT_TRUE(First->Held());
  {
    TInstanceLock Second(Path);
    EXPECT_TRUE(Second.Opened());
    EXPECT_FALSE(Second.Held());
  }
  First.reset();
  EXPECT_TRUE(TInstanceLock(Path).Held());
  // A lock file that cannot be made is no lock, not a running copy.
  TInstanceLock Nowhere(Work.Path() + "/missing/folder.lock");
  EXPECT_FALSE(Nowhere.Opened());
  EXPECT_FALSE(Nowhere.Held());
}
