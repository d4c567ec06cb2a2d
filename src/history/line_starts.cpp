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

// Bit I is set where byte I of the 64 from Begin is Wanted.
uint64_t BitsOf(const char* Begin, char Wanted) {
#if defined(__SSE2__)
  const __m128i Each = _mm_set1_epi8(Wanted);
  uint64_t Bits = 0;
  for (int Part = 0; Part < 4; ++Part) {
    const __m128i Bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Begin + 16 * Part));
    Bits |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(Bytes, Each)))} << (16 * Part);
  }
  return Bits;
#else
  uint64_t Bits = 0;
  for (int I = 0; I < 64; ++I) Bits |= uint64_t{Begin[I] == Wanted} << I;
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
    const uint64_t Crs = BitsOf(Block, '\r'), Lfs = BitsOf(Block, '\n');
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

void SplitLines(TByteBuffer& Bytes, TByteBuffer& Text, TLineStarts& Starts) {
  TCrlfLineFinder Lines(Starts);
  if (Lines.Finish(ViewOf(Bytes))) {
    Text = std::move(Bytes);
    Bytes.clear();
  } else {
    Text = ReformedLines(ViewOf(Bytes), Starts);
  }
}
