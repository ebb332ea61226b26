#include "tests/vst2/EffectFixture.h"

#include "tests/hosts/Vst2Library.h"

#include <gtest/gtest.h>

namespace zqtest {

zqhost::Vst2Entry EffectEntry()
{
  // Loaded once, for the whole test program.
  static std::unique_ptr<zqhost::Vst2Library> library;
  if (!library)
  {
    std::string error;
    library = zqhost::Vst2Library::load(ZQ_VST2_PLUGIN_PATH, error);
    EXPECT_TRUE(library) << error;
  }
  return library ? library->entry() : nullptr;
}

} // namespace zqtest
