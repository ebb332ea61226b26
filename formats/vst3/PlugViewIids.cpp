// The interface ids of the editor view and its frame: the SDK copy declares
// them in iplugview.h but defines them in no source file it ships.

#include "pluginterfaces/gui/iplugview.h"

namespace Steinberg {

DEF_CLASS_IID (IPlugView)
DEF_CLASS_IID (IPlugFrame)

} // namespace Steinberg
