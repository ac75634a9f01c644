#pragma once

namespace velmora::fakes {

// The upper-case letter a 16-bit unit compares as, for the fake's names: the
// Unicode simple upper-case mapping of the basic plane (Unicode 14.0.0), made from
// Python's tables. Windows compares file names with a table of its own that agrees
// for the letters of the common scripts (Latin, Greek, Cyrillic, ...); Wine 8's
// leaves a few alone that this one maps (the final sigma, the dotless i, the long
// s), so no test leans on those. Surrogate halves and anything outside the basic
// plane stay as they are, as on Windows.
char32_t upperCaseUnit(char32_t unit);

}  // namespace velmora::fakes
