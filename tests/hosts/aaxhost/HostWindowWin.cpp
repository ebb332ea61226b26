#include "HostWindow.h"

#include <windows.h>

namespace aaxhost {

namespace {
const char kClassName[] = "ZqAaxHostParent";

ATOM RegisterParentClass ()
{
	static ATOM atom = 0;
	if (!atom)
	{
		WNDCLASSA wc = {};
		wc.lpfnWndProc = DefWindowProcA;
		wc.hInstance = GetModuleHandleA (nullptr);
		wc.hCursor = LoadCursor (nullptr, IDC_ARROW);
		wc.lpszClassName = kClassName;
		atom = RegisterClassA (&wc);
	}
	return atom;
}

BOOL CALLBACK CountChild (HWND, LPARAM counter)
{
	++*reinterpret_cast<int*> (counter);
	return TRUE;
}
} // namespace

void* CreateHostParentWindow (int width, int height)
{
	RegisterParentClass ();
	HWND window = CreateWindowExA (0, kClassName, "AAX host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, width, height,
	                               nullptr, nullptr, GetModuleHandleA (nullptr), nullptr);
	if (window)
		ShowWindow (window, SW_SHOWNOACTIVATE);
	return window;
}

void ResizeHostParentWindow (void* window, int width, int height)
{
	if (window)
		SetWindowPos (static_cast<HWND> (window), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DestroyHostParentWindow (void* window)
{
	if (window)
		DestroyWindow (static_cast<HWND> (window));
}

int CountChildWindows (void* window)
{
	int count = 0;
	if (window)
		EnumChildWindows (static_cast<HWND> (window), CountChild, reinterpret_cast<LPARAM> (&count));
	return count;
}

void PumpHostMessages ()
{
	MSG msg;
	while (PeekMessageA (&msg, nullptr, 0, 0, PM_REMOVE))
	{
		TranslateMessage (&msg);
		DispatchMessageA (&msg);
	}
}

} // namespace aaxhost
