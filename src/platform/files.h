// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files in the working directory: presence test, reading a file whole,
// replacing a file's content whole without ever leaving a half-written file,
// and the operating system's text for an error. Knows nothing of what the
// files hold.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/byte_buffer.h"

// True when a directory entry of that name exists and is not a directory. A
// link counts as what it points to; a link that points nowhere is present
// (opening it then fails with the system's reason).
bool FileIsPresent(const std::string& Name);

// What tells one version of a file from another without reading it: which
// file it is, its size, and when its bytes and its entry last changed.
struct TFileStamp {
  uint64_t Device = 0;
  uint64_t Inode = 0;
  int64_t Size = 0;
  int64_t ModifiedNs = 0;
  int64_t ChangedNs = 0;
  bool operator==(const TFileStamp&) const = default;
};

// Reads every byte of the file into Bytes. Returns 0, or the errno of the call
// that failed; EINVAL for anything but a regular file (a named pipe, a
// device), which is not waited for. Stamp, when given, receives the stamp of
// the file as it was opened.
int ReadWholeFile(const std::string& Name, std::string& Bytes, TFileStamp* Stamp = nullptr);

// The same into a byte buffer, in pieces: after each piece Read (when given)
// is called with every byte read so far, while the newest of them are still in
// the processor's cache, so that a caller can look through them as they come.
int ReadWholeFile(const std::string& Name, TByteBuffer& Bytes, TFileStamp* Stamp,
                  const std::function<void(std::string_view ReadSoFar)>& Read);

// The stamp of the file Name (a link counts as what it points to); false when
// there is none to be had.
bool FileStampOf(const std::string& Name, TFileStamp& Stamp);

// True when the file's bytes may still change within the same tick of the
// file system's clock as their last change, so that a later change could keep
// the stamp: the stamp is then no proof that the bytes are the same.
bool StampIsRecent(const TFileStamp& Stamp);

// The step at which ReplaceFileContents gave up.
enum class TReplaceStep {
  Done,    // the file holds the new bytes
  Create,  // the new file could not be made or put in place of the old one
  Write,   // fewer bytes could be written or flushed than were given
};

struct TReplaceResult {
  TReplaceStep Step = TReplaceStep::Done;
  int Error = 0;  // errno of the call that failed
};

// Makes the file hold exactly Bytes. The bytes go to a new file beside it
// (created exclusively), are flushed to the disk and the new file is renamed
// over the old one; the directory is flushed last. On any failure the old file
// is left byte for byte as it was and nothing new stays behind. A read-only
// old file (no one may write it, or this process may not) is not replaced,
// nor is anything but a regular file (a device, a named pipe: EINVAL).
// Where the directory takes no new file, a writable old file is written where
// it is: only the appended bytes when the old ones begin the new, and on a
// failure its old bytes are put back. A link is followed: the file it points
// to gets the new bytes. The new file takes the old one's owner (where this
// process may give it) and permission bits. New files that
// earlier writers left behind when they were killed part-way (their process is
// gone) are removed first, so that at most one such file is ever left.
//
// When KeepOld is set, the old file (if there is one) is first kept under the
// first name of Name.bak, Name.bak.1, Name.bak.2, ... that does not exist yet;
// an existing file is never overwritten. A name that already holds the old
// file's bytes (a writer killed before its replace kept them) serves as the
// kept copy. KeptAs then receives that name.
TReplaceResult ReplaceFileContents(const std::string& Name, std::string_view Bytes, bool KeepOld,
                                   std::string* KeptAs = nullptr);

// Name expanded against the current directory, with "." and ".." taken out:
// "./HIST_ZV.DAT" in /home/u gives "/home/u/HIST_ZV.DAT". The bytes are the
// file system's, not converted.
std::string ExpandFileName(const std::string& Name);

// The operating system's text for an errno in the user's language (the
// locale that LC_ALL, LC_MESSAGES or LANG names), as Shift_JIS, made fit by
// FitErrorText. Under a Japanese locale it is never English: where the system
// has no Japanese text for the error, the program's own is given
// (os_error_text.cpp).
std::string OsErrorText(int Error);

// A system error text as a message carries it: at most 256 bytes (a
// double-byte character is never cut in two), without trailing blanks, line
// ends and ".".
std::string FitErrorText(std::string Text);
