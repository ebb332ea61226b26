#pragma once

// Counts the heap blocks one loaded module allocates and frees through its own
// import table (the C runtime's allocation functions and the system heap's),
// which it points at counting stand-ins while the watch lives. Wine's process
// totals move with its own allocations; these counts are the module's alone.
// Blocks allocated before the watch began are not counted, nor their frees.
// One watch at a time.

#include <windows.h>

#include <cstddef>
#include <functional>
#include <vector>

namespace zqhost {

class AllocationWatch
{
public:
	explicit AllocationWatch (HMODULE module);
	~AllocationWatch ();
	AllocationWatch (const AllocationWatch&) = delete;
	AllocationWatch& operator= (const AllocationWatch&) = delete;

	// Import-table entries redirected: 0 when the module imports none we count.
	int watchedImports () const { return static_cast<int> (mPatched.size ()); }
	// Blocks allocated since the watch began and not yet freed, and their bytes.
	size_t liveBlocks () const;
	size_t liveBytes () const;
	// After the module unloaded: its import table is gone, so nothing is put back.
	// The counts then hold what it left behind.
	void moduleUnloaded () { mPatched.clear (); }

private:
	struct Patch
	{
		void** slot;
		void* original;
	};
	std::vector<Patch> mPatched;
};

// What a module's blocks grew by over `cycles` runs of `life`, after one run
// first that makes what the module keeps while loaded. A run returning false
// ends the churn.
struct Leftover
{
	long long blocks;
	long long bytes;
};
Leftover ChurnLeftover (const AllocationWatch& watch, int cycles, const std::function<bool ()>& life);

// Whether a module that was loaded at `image` is still there.
bool ModuleLoaded (HMODULE image);

} // namespace zqhost
