#include "tests/support/GuiObjectWatchWin.h"

#include "tests/support/ImportSlotsWin.h"

#include <cstring>
#include <set>

namespace zqhost {

namespace {

// What the watched modules made, by kind. One watch at a time.
enum ObjectKind { kWindowObject, kMenuObject, kGdiObject, kObjectKinds };
std::set<void*> gMade[kObjectKinds];

template <typename H>
H made (ObjectKind kind, H handle)
{
	if (handle)
		gMade[kind].insert (reinterpret_cast<void*> (handle));
	return handle;
}

// The stand-ins call the system's functions directly: the watched module may
// be this program, whose own import table leads back to the stand-ins.
template <typename F>
F real (const char* dll, const char* name)
{
	return reinterpret_cast<F> (reinterpret_cast<void*> (GetProcAddress (GetModuleHandleA (dll), name)));
}
#define ZQ_REAL(dll, fn) static const auto sys = real<decltype (&::fn)> (dll, #fn)

HWND WINAPI countCreateWindowExA (DWORD ex, LPCSTR cls, LPCSTR name, DWORD style, int x, int y, int w, int h,
                                  HWND parent, HMENU menu, HINSTANCE inst, LPVOID param)
{
	ZQ_REAL ("user32.dll", CreateWindowExA);
	return made (kWindowObject, sys (ex, cls, name, style, x, y, w, h, parent, menu, inst, param));
}
HWND WINAPI countCreateWindowExW (DWORD ex, LPCWSTR cls, LPCWSTR name, DWORD style, int x, int y, int w, int h,
                                  HWND parent, HMENU menu, HINSTANCE inst, LPVOID param)
{
	ZQ_REAL ("user32.dll", CreateWindowExW);
	return made (kWindowObject, sys (ex, cls, name, style, x, y, w, h, parent, menu, inst, param));
}
HMENU WINAPI countCreatePopupMenu ()
{
	ZQ_REAL ("user32.dll", CreatePopupMenu);
	return made (kMenuObject, sys ());
}
HMENU WINAPI countCreateMenu ()
{
	ZQ_REAL ("user32.dll", CreateMenu);
	return made (kMenuObject, sys ());
}
HFONT WINAPI countCreateFontA (int h, int w, int esc, int orient, int weight, DWORD italic, DWORD underline,
                               DWORD strike, DWORD charset, DWORD precision, DWORD clip, DWORD quality,
                               DWORD pitch, LPCSTR face)
{
	ZQ_REAL ("gdi32.dll", CreateFontA);
	return made (kGdiObject, sys (h, w, esc, orient, weight, italic, underline, strike, charset, precision, clip,
	                              quality, pitch, face));
}
HFONT WINAPI countCreateFontIndirectA (const LOGFONTA* lf)
{
	ZQ_REAL ("gdi32.dll", CreateFontIndirectA);
	return made (kGdiObject, sys (lf));
}
HFONT WINAPI countCreateFontIndirectW (const LOGFONTW* lf)
{
	ZQ_REAL ("gdi32.dll", CreateFontIndirectW);
	return made (kGdiObject, sys (lf));
}
HDC WINAPI countCreateCompatibleDC (HDC dc)
{
	ZQ_REAL ("gdi32.dll", CreateCompatibleDC);
	return made (kGdiObject, sys (dc));
}
HBITMAP WINAPI countCreateDIBSection (HDC dc, const BITMAPINFO* bi, UINT usage, void** bits, HANDLE section,
                                      DWORD offset)
{
	ZQ_REAL ("gdi32.dll", CreateDIBSection);
	return made (kGdiObject, sys (dc, bi, usage, bits, section, offset));
}
HBITMAP WINAPI countCreateCompatibleBitmap (HDC dc, int w, int h)
{
	ZQ_REAL ("gdi32.dll", CreateCompatibleBitmap);
	return made (kGdiObject, sys (dc, w, h));
}
HBRUSH WINAPI countCreateSolidBrush (COLORREF colour)
{
	ZQ_REAL ("gdi32.dll", CreateSolidBrush);
	return made (kGdiObject, sys (colour));
}
#undef ZQ_REAL

struct Counted
{
	const char* dll;   // lower case
	const char* name;
	void* standIn;
};

const Counted kCounted[] = {
	{"user32.dll", "CreateWindowExA", reinterpret_cast<void*> (&countCreateWindowExA)},
	{"user32.dll", "CreateWindowExW", reinterpret_cast<void*> (&countCreateWindowExW)},
	{"user32.dll", "CreatePopupMenu", reinterpret_cast<void*> (&countCreatePopupMenu)},
	{"user32.dll", "CreateMenu", reinterpret_cast<void*> (&countCreateMenu)},
	{"gdi32.dll", "CreateFontA", reinterpret_cast<void*> (&countCreateFontA)},
	{"gdi32.dll", "CreateFontIndirectA", reinterpret_cast<void*> (&countCreateFontIndirectA)},
	{"gdi32.dll", "CreateFontIndirectW", reinterpret_cast<void*> (&countCreateFontIndirectW)},
	{"gdi32.dll", "CreateCompatibleDC", reinterpret_cast<void*> (&countCreateCompatibleDC)},
	{"gdi32.dll", "CreateDIBSection", reinterpret_cast<void*> (&countCreateDIBSection)},
	{"gdi32.dll", "CreateCompatibleBitmap", reinterpret_cast<void*> (&countCreateCompatibleBitmap)},
	{"gdi32.dll", "CreateSolidBrush", reinterpret_cast<void*> (&countCreateSolidBrush)},
};

const Counted* countedImport (const char* dll, const char* name)
{
	for (const Counted& c : kCounted)
		if (_stricmp (c.dll, dll) == 0 && std::strcmp (c.name, name) == 0)
			return &c;
	return nullptr;
}

template <typename Alive>
int countAlive (ObjectKind kind, Alive alive)
{
	int n = 0;
	for (void* h : gMade[kind])
		n += alive (h) ? 1 : 0;
	return n;
}

} // namespace

GuiObjectWatch::GuiObjectWatch (HMODULE module)
{
	for (auto& kind : gMade)
		kind.clear ();
	ForEachImportSlot (module, [this] (const char* dll, const char* name, void** slot) {
		const Counted* c = countedImport (dll, name);
		if (!c)
			return;
		void* original = *slot;
		if (WriteImportSlot (slot, c->standIn))
			mPatched.push_back ({slot, original});
	});
}

GuiObjectWatch::~GuiObjectWatch ()
{
	for (const Patch& p : mPatched)
		WriteImportSlot (p.slot, p.original);
}

int GuiObjectWatch::liveWindows () const
{
	return countAlive (kWindowObject, [] (void* h) { return IsWindow (static_cast<HWND> (h)) != FALSE; });
}

int GuiObjectWatch::liveMenus () const
{
	return countAlive (kMenuObject, [] (void* h) { return IsMenu (static_cast<HMENU> (h)) != FALSE; });
}

int GuiObjectWatch::liveGdiObjects () const
{
	return countAlive (kGdiObject, [] (void* h) { return GetObjectType (static_cast<HGDIOBJ> (h)) != 0; });
}

} // namespace zqhost
