// SPDX-License-Identifier: GPL-3.0-or-later
// The operating system's reason for a failed file operation, in the user's
// language. The system's own message comes first; under a Japanese locale
// where the system has none in Japanese (no message catalog, or the locale
// not installed), the program's own text for the errors that reading and
// writing the history can meet stands in.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>
#include <locale.h>
#include <map>

#include "platform/files.h"
#include "platform/sjis.h"

namespace {

bool IsAscii(const std::string& Text) {
  for (char C : Text) {
    if (static_cast<unsigned char>(C) >= 0x80) return false;
  }
  return true;
}

// The locale name that messages follow, as the C library reads it from the
// environment: LC_ALL, else LC_MESSAGES, else LANG.
std::string MessagesLocaleName() {
  for (const char* Variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* Value = std::getenv(Variable);
    if (Value != nullptr && *Value != '\0') return Value;
  }
  return "C";
}

bool IsJapanese(const std::string& LocaleName) { return LocaleName.rfind("ja", 0) == 0; }

// The program's Japanese text for Error, Shift_JIS; for an error not in the
// table, one that names its number.
std::string OwnJapaneseText(int Error) {
  static const std::map<int, std::string> Table = [] {
    const std::pair<int, const char*> Utf8[] = {
        {EACCES, "この操作をする許可がありません"},
        {EPERM, "この操作は許されていません"},
        {EISDIR, "ファイルではなくフォルダーです"},
        {ENOENT, "そのファイルまたはフォルダーはありません"},
        {ENOTDIR, "途中の名前がフォルダーではありません"},
        {ENOSPC, "ディスクに空きがありません"},
        {EDQUOT, "使ってよいディスクの量を超えました"},
        {EROFS, "書き込みのできないディスクです"},
        {EIO, "ディスクの読み書きに失敗しました"},
        {EFBIG, "ファイルが大きすぎます"},
        {EOVERFLOW, "ファイルが大きすぎます"},
        {ETXTBSY, "ファイルが使用中です"},
        {EBUSY, "ファイルまたはディスクが使用中です"},
        {EINVAL, "普通のファイルではないため扱えません"},
        {ELOOP, "リンクが何重にも繰り返されています"},
        {ENAMETOOLONG, "ファイルの名前が長すぎます"},
        {EEXIST, "同じ名前のファイルがもうあります"},
        {EMFILE, "開いているファイルが多すぎます"},
        {ENFILE, "開いているファイルが多すぎます"},
        {ENOMEM, "メモリーが足りません"},
        {ENXIO, "装置が見つかりません"},
        {ENODEV, "装置が見つかりません"},
        {EAGAIN, "今は使えません。少し後でもう一度試してください"},
        {EINTR, "途中で中断されました"},
        {ESTALE, "ネットワーク上のファイルが使えなくなりました"},
    };
    std::map<int, std::string> Sjis;
    for (const auto& [Number, Text] : Utf8) Sjis.emplace(Number, FixedSjis(Text));
    return Sjis;
  }();
  const auto Found = Table.find(Error);
  if (Found != Table.end()) return Found->second;
  return FixedSjis("システムのエラーです（エラー番号 ") + std::to_string(Error) + FixedSjis("）");
}

// The system's message in Locale; a UTF-8 text comes back as Shift_JIS, a
// text in any other encoding of its own as empty.
std::string SystemText(int Error, locale_t Locale) {
  std::string Text = ::strerror_l(Error, Locale);
  if (IsAscii(Text)) return Text;
  if (std::strcmp(::nl_langinfo_l(CODESET, Locale), "UTF-8") == 0) return ToSjis(Text);
  return std::string();
}

// SystemText in the locale LocaleName ("" for the environment's); empty when
// the system has no such locale.
std::string SystemTextIn(int Error, const char* LocaleName) {
  const locale_t Locale = ::newlocale(LC_MESSAGES_MASK | LC_CTYPE_MASK, LocaleName, static_cast<locale_t>(0));
  if (Locale == static_cast<locale_t>(0)) return std::string();
  std::string Text = SystemText(Error, Locale);
  ::freelocale(Locale);
  return Text;
}

}  // namespace

std::string OsErrorText(int Error) {
  std::string Text = SystemTextIn(Error, "");
  // The C library's own words where the user's locale gave nothing readable.
  if (Text.empty()) Text = SystemTextIn(Error, "C");
  if (IsJapanese(MessagesLocaleName()) && IsAscii(Text)) Text = OwnJapaneseText(Error);
  if (Text.empty()) Text = "Error " + std::to_string(Error);
  return FitErrorText(std::move(Text));
}
