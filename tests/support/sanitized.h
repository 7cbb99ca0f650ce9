// Whether the tests run under AddressSanitizer, where the slowest run the same checks on less.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define PLEXARO_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PLEXARO_SANITIZED 1
#endif
#endif
#ifndef PLEXARO_SANITIZED
#define PLEXARO_SANITIZED 0
#endif

const bool kSanitized = PLEXARO_SANITIZED != 0;
