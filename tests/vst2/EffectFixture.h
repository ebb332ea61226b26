#pragma once

// The distortion effect's VST2 entry for the tests: on Windows the shipped
// library loaded under Wine, natively the same entry linked into the test.

#include "tests/hosts/Vst2Host.h"

namespace zqtest {

// The entry function; null (with a test failure) when the library is missing.
zqhost::Vst2Entry EffectEntry();

} // namespace zqtest
