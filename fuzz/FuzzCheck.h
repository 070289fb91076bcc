#pragma once
// What the fuzz targets share: stopping with a message when a check fails. The abort is what
// libFuzzer records as a finding (and what fails the corpus replay in the test run).

#include <cstdio>
#include <cstdlib>
#include <string>

namespace zepo::fuzz {

[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

inline void Require(bool condition, const char* what) {
    if (!condition) Fail(what);
}

// Pictures above this many pixels are only decoded, not written and decoded again: a few bytes
// of run-length or JPEG data can claim tens of megapixels, and the round trip would then
// take most of the fuzzing time.
inline constexpr long long kRoundTripPixels = 1 << 20;

}  // namespace zepo::fuzz
