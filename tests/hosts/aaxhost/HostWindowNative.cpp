#include "HostWindow.h"

namespace aaxhost {

namespace {
struct Placeholder
{
	int mWidth;
	int mHeight;
};
} // namespace

void* CreateHostParentWindow (int width, int height)
{
	return new Placeholder { width, height };
}

void ResizeHostParentWindow (void* window, int width, int height)
{
	if (Placeholder* p = static_cast<Placeholder*> (window))
	{
		p->mWidth = width;
		p->mHeight = height;
	}
}

void DestroyHostParentWindow (void* window)
{
	delete static_cast<Placeholder*> (window);
}

int CountChildWindows (void*)
{
	return 0;
}

void PumpHostMessages ()
{
}

} // namespace aaxhost
