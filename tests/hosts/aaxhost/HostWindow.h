#pragma once

// The parent window the fake host's view container offers the editor: a real
// top-level window in the Windows builds, a non-null placeholder natively.

namespace aaxhost {

void* CreateHostParentWindow (int width, int height);
void ResizeHostParentWindow (void* window, int width, int height);
void DestroyHostParentWindow (void* window);
// Number of child windows the editor put into it (0 natively).
int CountChildWindows (void* window);
// Runs the window messages that are waiting.
void PumpHostMessages ();

} // namespace aaxhost
