#pragma once

#include <windows.h>

#include <vector>

namespace zqhost {

// Watches the windows, menus and GDI objects that one module makes through
// its own import table (which it points at counting stand-ins while the watch
// lives): Wine counts no GUI resources per process, so leaks are seen here.
// An object counts while it still exists, so what the system destroys with
// its parent (a child window, a sub-menu) counts as gone too.
class GuiObjectWatch
{
public:
	explicit GuiObjectWatch (HMODULE module);
	~GuiObjectWatch ();
	GuiObjectWatch (const GuiObjectWatch&) = delete;
	GuiObjectWatch& operator= (const GuiObjectWatch&) = delete;

	// Import-table entries redirected: 0 when the module makes nothing we count.
	int watchedImports () const { return static_cast<int> (mPatched.size ()); }
	// Objects made since the watch began that still exist.
	int liveWindows () const;
	int liveMenus () const;
	int liveGdiObjects () const;
	int live () const { return liveWindows () + liveMenus () + liveGdiObjects (); }

private:
	struct Patch
	{
		void** slot;
		void* original;
	};
	std::vector<Patch> mPatched;
};

} // namespace zqhost
