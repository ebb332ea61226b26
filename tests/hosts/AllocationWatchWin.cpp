#include "tests/hosts/AllocationWatchWin.h"

#include "tests/support/ImportSlotsWin.h"

#include <cstring>
#include <map>

namespace zqhost {

namespace {

// The module's live blocks by address, and the functions its slots held.
struct Watched
{
	CRITICAL_SECTION lock;
	std::map<void*, size_t> live;
	void* original[16] = {};
	Watched () { InitializeCriticalSection (&lock); }
};

Watched& watched ()
{
	static Watched w;
	return w;
}

enum Counted
{
	kMalloc, kCalloc, kRealloc, kFree, kAlignedMalloc, kAlignedRealloc, kAlignedFree, kStrdup,
	kHeapAlloc, kHeapReAlloc, kHeapFree
};

template <typename F>
F real (Counted which)
{
	return reinterpret_cast<F> (watched ().original[which]);
}

void made (void* block, size_t size)
{
	if (!block)
		return;
	Watched& w = watched ();
	EnterCriticalSection (&w.lock);
	w.live[block] = size;
	LeaveCriticalSection (&w.lock);
}

void gone (void* block)
{
	if (!block)
		return;
	Watched& w = watched ();
	EnterCriticalSection (&w.lock);
	w.live.erase (block);
	LeaveCriticalSection (&w.lock);
}

void* __cdecl countMalloc (size_t n)
{
	void* p = real<void* (__cdecl*) (size_t)> (kMalloc) (n);
	made (p, n);
	return p;
}

void* __cdecl countCalloc (size_t count, size_t n)
{
	void* p = real<void* (__cdecl*) (size_t, size_t)> (kCalloc) (count, n);
	made (p, count * n);
	return p;
}

void* __cdecl countRealloc (void* old, size_t n)
{
	void* p = real<void* (__cdecl*) (void*, size_t)> (kRealloc) (old, n);
	// A failed reallocation keeps the old block; a size of 0 frees it.
	if (p || n == 0)
		gone (old);
	made (p, n);
	return p;
}

void __cdecl countFree (void* p)
{
	gone (p);
	real<void (__cdecl*) (void*)> (kFree) (p);
}

void* __cdecl countAlignedMalloc (size_t n, size_t alignment)
{
	void* p = real<void* (__cdecl*) (size_t, size_t)> (kAlignedMalloc) (n, alignment);
	made (p, n);
	return p;
}

void* __cdecl countAlignedRealloc (void* old, size_t n, size_t alignment)
{
	void* p = real<void* (__cdecl*) (void*, size_t, size_t)> (kAlignedRealloc) (old, n, alignment);
	if (p || n == 0)
		gone (old);
	made (p, n);
	return p;
}

void __cdecl countAlignedFree (void* p)
{
	gone (p);
	real<void (__cdecl*) (void*)> (kAlignedFree) (p);
}

char* __cdecl countStrdup (const char* s)
{
	char* p = real<char* (__cdecl*) (const char*)> (kStrdup) (s);
	made (p, p ? std::strlen (p) + 1 : 0);
	return p;
}

LPVOID WINAPI countHeapAlloc (HANDLE heap, DWORD flags, SIZE_T n)
{
	LPVOID p = real<LPVOID (WINAPI*) (HANDLE, DWORD, SIZE_T)> (kHeapAlloc) (heap, flags, n);
	made (p, n);
	return p;
}

LPVOID WINAPI countHeapReAlloc (HANDLE heap, DWORD flags, LPVOID old, SIZE_T n)
{
	LPVOID p = real<LPVOID (WINAPI*) (HANDLE, DWORD, LPVOID, SIZE_T)> (kHeapReAlloc) (heap, flags, old, n);
	if (p)
		gone (old);
	made (p, n);
	return p;
}

BOOL WINAPI countHeapFree (HANDLE heap, DWORD flags, LPVOID p)
{
	gone (p);
	return real<BOOL (WINAPI*) (HANDLE, DWORD, LPVOID)> (kHeapFree) (heap, flags, p);
}

struct StandIn
{
	const char* name;
	Counted which;
	void* function;
};

const StandIn kStandIns[] = {
	{"malloc", kMalloc, reinterpret_cast<void*> (&countMalloc)},
	{"calloc", kCalloc, reinterpret_cast<void*> (&countCalloc)},
	{"realloc", kRealloc, reinterpret_cast<void*> (&countRealloc)},
	{"free", kFree, reinterpret_cast<void*> (&countFree)},
	{"_aligned_malloc", kAlignedMalloc, reinterpret_cast<void*> (&countAlignedMalloc)},
	{"_aligned_realloc", kAlignedRealloc, reinterpret_cast<void*> (&countAlignedRealloc)},
	{"_aligned_free", kAlignedFree, reinterpret_cast<void*> (&countAlignedFree)},
	{"_strdup", kStrdup, reinterpret_cast<void*> (&countStrdup)},
	{"HeapAlloc", kHeapAlloc, reinterpret_cast<void*> (&countHeapAlloc)},
	{"HeapReAlloc", kHeapReAlloc, reinterpret_cast<void*> (&countHeapReAlloc)},
	{"HeapFree", kHeapFree, reinterpret_cast<void*> (&countHeapFree)},
};

const StandIn* standInFor (const char* name)
{
	for (const StandIn& s : kStandIns)
		if (std::strcmp (s.name, name) == 0)
			return &s;
	return nullptr;
}

} // namespace

AllocationWatch::AllocationWatch (HMODULE module)
{
	Watched& w = watched ();
	EnterCriticalSection (&w.lock);
	w.live.clear ();
	LeaveCriticalSection (&w.lock);
	ForEachImportSlot (module, [&] (const char*, const char* name, void** slot) {
		const StandIn* s = standInFor (name);
		if (!s)
			return;
		void* original = *slot;
		w.original[s->which] = original;
		if (WriteImportSlot (slot, s->function))
			mPatched.push_back ({slot, original});
	});
}

AllocationWatch::~AllocationWatch ()
{
	for (const Patch& p : mPatched)
		WriteImportSlot (p.slot, p.original);
}

size_t AllocationWatch::liveBlocks () const
{
	Watched& w = watched ();
	EnterCriticalSection (&w.lock);
	const size_t n = w.live.size ();
	LeaveCriticalSection (&w.lock);
	return n;
}

size_t AllocationWatch::liveBytes () const
{
	Watched& w = watched ();
	EnterCriticalSection (&w.lock);
	size_t n = 0;
	for (const auto& block : w.live)
		n += block.second;
	LeaveCriticalSection (&w.lock);
	return n;
}

Leftover ChurnLeftover (const AllocationWatch& watch, int cycles, const std::function<bool ()>& life)
{
	if (!life ())
		return {0, 0};
	const size_t blocks = watch.liveBlocks (), bytes = watch.liveBytes ();
	for (int i = 0; i < cycles && life (); ++i)
	{
	}
	return {static_cast<long long> (watch.liveBlocks ()) - static_cast<long long> (blocks),
	        static_cast<long long> (watch.liveBytes ()) - static_cast<long long> (bytes)};
}

bool ModuleLoaded (HMODULE image)
{
	HMODULE found = nullptr;
	return GetModuleHandleExA (GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
	                           reinterpret_cast<LPCSTR> (image), &found) &&
	       found == image;
}

} // namespace zqhost
