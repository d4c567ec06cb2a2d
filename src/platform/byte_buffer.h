// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A growable run of bytes whose new room is not cleared first: a file of
// tens of megabytes is read straight into it, with no pass that writes zeros
// the read then overwrites.
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

// Leaves a value made without arguments uninitialized, as `new char[N]` does;
// every other construction is the standard allocator's.
template <class T>
struct TUninitializedAllocator : std::allocator<T> {
  using value_type = T;
  template <class U>
  struct rebind {
    using other = TUninitializedAllocator<U>;
  };
  TUninitializedAllocator() = default;
  template <class U>
  TUninitializedAllocator(const TUninitializedAllocator<U>&) noexcept {}

  template <class U>
  void construct(U* At) noexcept {
    ::new (static_cast<void*>(At)) U;
  }
  template <class U, class... Args>
  void construct(U* At, Args&&... Values) {
    ::new (static_cast<void*>(At)) U(std::forward<Args>(Values)...);
  }
};

using TByteBuffer = std::vector<char, TUninitializedAllocator<char>>;

inline std::string_view ViewOf(const TByteBuffer& Bytes) { return {Bytes.data(), Bytes.size()}; }

inline void Append(TByteBuffer& Bytes, std::string_view More) { Bytes.insert(Bytes.end(), More.begin(), More.end()); }
