// The bits of a double and the double of some bits, for code that must tell values apart
// without comparing them (a comparison of a subnormal raises the denormal flag).
//
//   const std::uint64_t bits = quilex::BitCast<std::uint64_t>(-0.0);  // 0x8000000000000000
//
// std::bit_cast would do, but the C++ library of the WebAssembly toolchain (libc++ 14) has
// none; GCC and Clang both build the same cast in.
#pragma once

#include <type_traits>

namespace quilex {

template <class To, class From>
requires(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> &&
         std::is_trivially_copyable_v<From>) constexpr To BitCast(const From& from) noexcept {
  return __builtin_bit_cast(To, from);
}

}  // namespace quilex
