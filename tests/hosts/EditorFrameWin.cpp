#include "tests/hosts/EditorFrameWin.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace zqhost {

namespace {

const char kFrameClass[] = "ZqHostEditorFrame";

LRESULT CALLBACK frameProc (HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
	return DefWindowProcA (window, message, wParam, lParam);
}

bool registerFrameClass ()
{
	WNDCLASSA wc = {};
	if (GetClassInfoA (GetModuleHandleA (nullptr), kFrameClass, &wc))
		return true;
	wc.lpfnWndProc = frameProc;
	wc.hInstance = GetModuleHandleA (nullptr);
	wc.hCursor = LoadCursorA (nullptr, reinterpret_cast<LPCSTR> (IDC_ARROW));
	wc.hbrBackground = reinterpret_cast<HBRUSH> (GetStockObject (GRAY_BRUSH));
	wc.lpszClassName = kFrameClass;
	return RegisterClassA (&wc) != 0;
}

BOOL CALLBACK countChild (HWND, LPARAM counter)
{
	++*reinterpret_cast<int*> (counter);
	return TRUE;
}

void sendMouse (HWND window, UINT message, WPARAM keys, int x, int y)
{
	SendMessageA (window, message, keys, MAKELPARAM (static_cast<WORD> (x), static_cast<WORD> (y)));
}

} // namespace

EditorFrame::EditorFrame (int width, int height)
{
	if (!registerFrameClass ())
		return;
	RECT r = {0, 0, width, height};
	const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
	AdjustWindowRect (&r, style, FALSE);
	mWindow = CreateWindowExA (0, kFrameClass, "vst3host editor", style | WS_VISIBLE, 0, 0,
	                           r.right - r.left, r.bottom - r.top, nullptr, nullptr,
	                           GetModuleHandleA (nullptr), nullptr);
	pumpMessages (0);
}

EditorFrame::~EditorFrame ()
{
	if (mWindow)
		DestroyWindow (mWindow);
	pumpMessages (0);
}

int EditorFrame::childCount () const
{
	int n = 0;
	if (mWindow)
		EnumChildWindows (mWindow, countChild, reinterpret_cast<LPARAM> (&n));
	return n;
}

void pumpMessages (int ms)
{
	const DWORD end = GetTickCount () + static_cast<DWORD> (ms > 0 ? ms : 0);
	for (;;)
	{
		MSG msg;
		while (PeekMessageA (&msg, nullptr, 0, 0, PM_REMOVE))
		{
			TranslateMessage (&msg);
			DispatchMessageA (&msg);
		}
		const DWORD now = GetTickCount ();
		if (static_cast<int> (end - now) <= 0)
			break;
		MsgWaitForMultipleObjects (0, nullptr, FALSE, end - now, QS_ALLINPUT);
	}
}

void sendLeftDrag (HWND window, int x, int y, int dx, int dy, int steps)
{
	if (steps < 1)
		steps = 1;
	sendMouse (window, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
	for (int i = 1; i <= steps; ++i)
		sendMouse (window, WM_MOUSEMOVE, MK_LBUTTON, x + dx * i / steps, y + dy * i / steps);
	sendMouse (window, WM_LBUTTONUP, 0, x + dx, y + dy);
}

void sendLeftClick (HWND window, int x, int y)
{
	sendMouse (window, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
	sendMouse (window, WM_LBUTTONUP, 0, x, y);
}

void sendRightClick (HWND window, int x, int y)
{
	sendMouse (window, WM_RBUTTONDOWN, MK_RBUTTON, x, y);
	sendMouse (window, WM_RBUTTONUP, 0, x, y);
}

bool captureWindow (HWND window, std::vector<uint32_t>& pixels, int& width, int& height)
{
	RECT r;
	if (!window || !GetClientRect (window, &r))
		return false;
	width = r.right - r.left;
	height = r.bottom - r.top;
	if (width <= 0 || height <= 0)
		return false;

	HDC windowDC = GetDC (window);
	if (!windowDC)
		return false;
	BITMAPINFO bi = {};
	bi.bmiHeader.biSize = sizeof (bi.bmiHeader);
	bi.bmiHeader.biWidth = width;
	bi.bmiHeader.biHeight = -height;   // top-down
	bi.bmiHeader.biPlanes = 1;
	bi.bmiHeader.biBitCount = 32;
	bi.bmiHeader.biCompression = BI_RGB;
	void* bits = nullptr;
	HDC memDC = CreateCompatibleDC (windowDC);
	HBITMAP dib = memDC ? CreateDIBSection (windowDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
	bool ok = false;
	if (dib && bits)
	{
		HGDIOBJ old = SelectObject (memDC, dib);
		ok = BitBlt (memDC, 0, 0, width, height, windowDC, 0, 0, SRCCOPY) != 0;
		GdiFlush ();
		SelectObject (memDC, old);
		if (ok)
		{
			const uint32_t* p = static_cast<const uint32_t*> (bits);
			pixels.assign (p, p + static_cast<size_t> (width) * height);
			for (uint32_t& px : pixels)
				px |= 0xFF000000u;
		}
	}
	if (dib)
		DeleteObject (dib);
	if (memDC)
		DeleteDC (memDC);
	ReleaseDC (window, windowDC);
	return ok;
}

bool writePngRGBA (const std::string& path, const std::vector<uint32_t>& pixels, int width,
                   int height)
{
	if (width <= 0 || height <= 0 || pixels.size () != static_cast<size_t> (width) * height)
		return false;
	FILE* file = std::fopen (path.c_str (), "wb");
	if (!file)
		return false;
	png_structp png = png_create_write_struct (PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
	png_infop info = png ? png_create_info_struct (png) : nullptr;
	std::vector<png_byte> row (static_cast<size_t> (width) * 4);
	bool ok = false;
	if (png && info && !setjmp (png_jmpbuf (png)))
	{
		png_init_io (png, file);
		png_set_IHDR (png, info, static_cast<png_uint_32> (width), static_cast<png_uint_32> (height), 8,
		              PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
		              PNG_FILTER_TYPE_DEFAULT);
		png_write_info (png, info);
		for (int y = 0; y < height; ++y)
		{
			for (int x = 0; x < width; ++x)
			{
				const uint32_t p = pixels[static_cast<size_t> (y) * width + x];
				png_byte* out = &row[static_cast<size_t> (x) * 4];
				out[0] = static_cast<png_byte> (p >> 16);
				out[1] = static_cast<png_byte> (p >> 8);
				out[2] = static_cast<png_byte> (p);
				out[3] = static_cast<png_byte> (p >> 24);
			}
			png_write_row (png, row.data ());
		}
		png_write_end (png, info);
		ok = true;
	}
	png_destroy_write_struct (png ? &png : nullptr, info ? &info : nullptr);
	return std::fclose (file) == 0 && ok;
}

} // namespace zqhost
