#pragma once

// A VST2 library loaded the way a Windows host loads it: the library, then
// its VSTPluginMain export.

#include "tests/hosts/Vst2Host.h"

#include <memory>
#include <string>

namespace zqhost {

class Vst2Library
{
public:
  // Null with error set when the library or its entry is missing.
  static std::unique_ptr<Vst2Library> load(const std::string& path, std::string& error);
  ~Vst2Library();

  Vst2Entry entry() const { return mEntry; }
  // Any export by name (null when missing), and the loaded image.
  void* symbol(const char* name) const;
  void* image() const { return mLibrary; }

private:
  Vst2Library() = default;
  void* mLibrary = nullptr;
  Vst2Entry mEntry = nullptr;
};

// Dispatches this thread's window messages and sends the editor-idle opcode,
// as a host's UI loop does, for `ms` milliseconds.
void runEditorLoop(Vst2Host& host, int ms);

} // namespace zqhost
