// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sjis.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iconv.h>
#include <stdexcept>

namespace {

class TIconv {
public:
  TIconv(const char* To, const char* From) : FHandle(iconv_open(To, From)) {
    if (FHandle == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv_open failed for ") + From + " -> " + To);
    }
  }
  ~TIconv() { iconv_close(FHandle); }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;

  // Converts In; on an invalid or unconvertible sequence appends Replacement,
  // skips one input character (SkipLength reports its length) and goes on.
  // Returns false when any replacement was made.
  template <typename SkipLength>
  bool Convert(std::string_view In, std::string& Out, std::string_view Replacement, SkipLength Skip) {
    iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
    bool Clean = true;
    char* InPtr = const_cast<char*>(In.data());
    size_t InLeft = In.size();
    char Buffer[256];
    while (InLeft > 0) {
      char* OutPtr = Buffer;
      size_t OutLeft = sizeof Buffer;
      size_t Result = iconv(FHandle, &InPtr, &InLeft, &OutPtr, &OutLeft);
      Out.append(Buffer, static_cast<size_t>(OutPtr - Buffer));
      if (Result == static_cast<size_t>(-1)) {
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL (truncated sequence at the end)
        Clean = false;
        Out.append(Replacement);
        size_t N = Skip(std::string_view(InPtr, InLeft));
        InPtr += N;
        InLeft -= N;
      }
    }
    char* OutPtr = Buffer;
    size_t OutLeft = sizeof Buffer;
    iconv(FHandle, nullptr, nullptr, &OutPtr, &OutLeft);
    Out.append(Buffer, static_cast<size_t>(OutPtr - Buffer));
    return Clean;
  }

private:
  iconv_t FHandle;
};

size_t Utf8CharLength(std::string_view S) {
  unsigned char C = static_cast<unsigned char>(S[0]);
  size_t N = C < 0x80 ? 1 : C < 0xE0 ? 2 : C < 0xF0 ? 3 : 4;
  if (N > S.size()) N = S.size();
  for (size_t I = 1; I < N; ++I) {
    if ((static_cast<unsigned char>(S[I]) & 0xC0) != 0x80) return I;
  }
  return N;
}

size_t SjisCharLength(std::string_view S) {
  unsigned char C = static_cast<unsigned char>(S[0]);
  bool Lead = (C >= 0x81 && C <= 0x9F) || (C >= 0xE0 && C <= 0xFC);
  return (Lead && S.size() >= 2) ? 2 : 1;
}

bool ConvertToSjis(std::string_view Utf8, std::string& Out) {
  thread_local TIconv Converter("CP932", "UTF-8");
  return Converter.Convert(Utf8, Out, "?", Utf8CharLength);
}

}  // namespace

std::string ToSjis(std::string_view Utf8) {
  std::string Out;
  ConvertToSjis(Utf8, Out);
  return Out;
}

std::string FromSjis(std::string_view Sjis) {
  thread_local TIconv Converter("UTF-8", "CP932");
  std::string Out;
  Converter.Convert(Sjis, Out, "\xEF\xBF\xBD", SjisCharLength);
  return Out;
}

std::string FixedSjis(std::string_view Utf8) {
  std::string Out;
  if (!ConvertToSjis(Utf8, Out)) {
    std::fprintf(stderr, "fixed text not representable in code page 932: %.*s\n",
                 static_cast<int>(Utf8.size()), Utf8.data());
    std::abort();
  }
  return Out;
}
