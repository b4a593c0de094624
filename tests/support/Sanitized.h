// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Under AddressSanitizer (gcc's or clang's) the largest inputs run small;
// their full size is the benchmarks'.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif
