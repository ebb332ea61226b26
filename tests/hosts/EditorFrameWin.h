#pragma once

// The host's side of an editor on Windows: a top-level frame window to
// attach a plug-in view to, a message pump, real mouse messages sent to the
// editor's window, and screenshots of a window's client area.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zqhost {

class EditorFrame
{
public:
	// A visible top-level window with a client area of width x height.
	EditorFrame (int width = 640, int height = 560);
	~EditorFrame ();
	EditorFrame (const EditorFrame&) = delete;
	EditorFrame& operator= (const EditorFrame&) = delete;

	HWND hwnd () const { return mWindow; }
	// The first child window (the editor's, once a view is attached); null when none.
	HWND child () const { return GetWindow (mWindow, GW_CHILD); }
	int childCount () const;

private:
	HWND mWindow = nullptr;
};

// Dispatches this thread's messages for about `ms` milliseconds, so timers fire.
void pumpMessages (int ms);

// Real mouse messages to a window, in client coordinates. A drag presses at
// (x, y), moves in `steps` equal steps to (x + dx, y + dy) with the left
// button held, and releases there.
void sendLeftDrag (HWND window, int x, int y, int dx, int dy, int steps = 8);
void sendLeftClick (HWND window, int x, int y);
void sendRightClick (HWND window, int x, int y);

// A screenshot of the window's client area as top-down pixels 0xAARRGGBB
// with alpha 255; false when the window cannot be read.
bool captureWindow (HWND window, std::vector<uint32_t>& pixels, int& width, int& height);

// Writes top-down 0xAARRGGBB pixels as an 8-bit RGBA PNG file.
bool writePngRGBA (const std::string& path, const std::vector<uint32_t>& pixels, int width,
                   int height);

} // namespace zqhost
