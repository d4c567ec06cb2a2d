// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/line_starts.h"

#include <bit>
#include <cstdint>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::string_view LineEnd = "\r\n";

// Where the CRs and the LFs are among the 64 bytes from Begin: bit I for
// byte I.
struct TLineEndBits {
  uint64_t Crs = 0;
  uint64_t Lfs = 0;
};

#if defined(__SSE2__)
// Bit I for byte I of the 16 in Part that equal Each.
inline uint64_t BitsOf(__m128i Part, __m128i Each) {
  return static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(Part, Each)));
}
#endif

TLineEndBits LineEndBitsOf(const char* Begin) {
#if defined(__SSE2__)
  const __m128i Cr = _mm_set1_epi8('\r'), Lf = _mm_set1_epi8('\n');
  const auto* const Parts = reinterpret_cast<const __m128i*>(Begin);
  const __m128i P0 = _mm_loadu_si128(Parts), P1 = _mm_loadu_si128(Parts + 1);
  const __m128i P2 = _mm_loadu_si128(Parts + 2), P3 = _mm_loadu_si128(Parts + 3);
  return {BitsOf(P0, Cr) | BitsOf(P1, Cr) << 16 | BitsOf(P2, Cr) << 32 | BitsOf(P3, Cr) << 48,
          BitsOf(P0, Lf) | BitsOf(P1, Lf) << 16 | BitsOf(P2, Lf) << 32 | BitsOf(P3, Lf) << 48};
#else
  TLineEndBits Bits;
  for (int I = 0; I < 64; ++I) {
    Bits.Crs |= uint64_t{Begin[I] == '\r'} << I;
    Bits.Lfs |= uint64_t{Begin[I] == '\n'} << I;
  }
  return Bits;
#endif
}

}  // namespace

void TLineStarts::Store(std::size_t Start) {
  if (!FStored) {
    // The first line of another length: from here on every start is stored.
    std::vector<std::size_t> Starts;
    Starts.reserve(FCount + FCount / 2 + 16);
    for (std::size_t I = 0; I < FCount; ++I) Starts.push_back(I * Stride);
    FStarts.swap(Starts);
    FStored = true;
  }
  FStarts.push_back(Start);
}

void TLineStarts::clear() {
  FStored = false;
  FCount = 0;
  FStarts.clear();
}

void TLineStarts::swap(TLineStarts& Other) noexcept {
  std::swap(FStored, Other.FStored);
  std::swap(FCount, Other.FCount);
  FStarts.swap(Other.FStarts);
}

TCrlfLineFinder::TCrlfLineFinder(TLineStarts& Starts) : FStarts(Starts) { FStarts.clear(); }

// Every LF must follow a CR and every CR be followed by an LF; a line begins
// after each LF. Whole blocks of 64 bytes are looked at all at once.
void TCrlfLineFinder::Take(std::string_view Bytes) {
  while (FCrlfOnly && FTaken + 64 <= Bytes.size()) {
    const char* const Block = Bytes.data() + FTaken;
    const auto [Crs, Lfs] = LineEndBitsOf(Block);
    if (Lfs != ((Crs << 1) | uint64_t{FCrBefore})) {
      FCrlfOnly = false;
      return;
    }
    for (uint64_t Ends = Lfs; Ends != 0; Ends &= Ends - 1) {
      FStarts.push_back(FLineAt);
      FLineAt = FTaken + static_cast<std::size_t>(std::countr_zero(Ends)) + 1;
    }
    FCrBefore = (Crs >> 63) != 0;
    FTaken += 64;
  }
}

void TCrlfLineFinder::TakeByte(std::size_t Index, char Byte) {
  const bool Lf = Byte == '\n';
  if (Lf != FCrBefore) FCrlfOnly = false;
  if (Lf) {
    FStarts.push_back(FLineAt);
    FLineAt = Index + 1;
  }
  FCrBefore = Byte == '\r';
}

bool TCrlfLineFinder::Finish(std::string_view Bytes) {
  Take(Bytes);
  for (; FCrlfOnly && FTaken < Bytes.size(); ++FTaken) TakeByte(FTaken, Bytes[FTaken]);
  return FCrlfOnly && !FCrBefore && FLineAt == Bytes.size();
}

TByteBuffer ReformedLines(std::string_view Bytes, TLineStarts& Starts) {
  TByteBuffer Text;
  Text.reserve(Bytes.size() + Bytes.size() / 16 + 2);
  Starts.clear();
  std::size_t At = 0;
  while (At < Bytes.size()) {
    std::size_t End = Bytes.find_first_of("\r\n", At);
    if (End == std::string_view::npos) End = Bytes.size();
    Starts.push_back(Text.size());
    Append(Text, Bytes.substr(At, End - At));
    Append(Text, LineEnd);
    At = End;
    if (At < Bytes.size() && Bytes[At] == '\r') ++At;
    if (At < Bytes.size() && Bytes[At] == '\n') ++At;
  }
  return Text;
}
