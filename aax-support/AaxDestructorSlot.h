#pragma once

// The destructor slot of the interfaces whose objects cross between the host and
// the library (strings, parameters, transports, automation, tapers, displays).
// AAX hosts are built with Microsoft's compiler, which gives a virtual
// destructor one slot: the scalar deleting destructor, called with one flags
// argument (bit 0: free the memory too) and returning the object. g++ would
// give it two slots and push every later operation one slot down, so these
// interfaces declare no virtual destructor: their first operation has that
// shape instead, and their destructor is protected. The library deletes such
// objects only through that slot (AaxDelete).
//
// Member functions use thiscall on 32-bit x86 (i686 mingw g++'s default, as
// Microsoft's), so no calling-convention attribute is needed here.

#include <cstdint>

enum : uint32_t
{
  kAaxDeleteMemory = 1,
};

// The body of a concrete class's destructor slot. The class is final or has a
// virtual destructor of its own, so the whole object goes.
template <class T>
void* AaxScalarDelete(T* object, uint32_t flags)
{
  if (flags & kAaxDeleteMemory)
    delete object;
  else
    object->~T();
  return object;
}

#define AAX_DESTRUCTOR_SLOT                                                          \
  void* ScalarDeletingDestructor(uint32_t flags) override { return AaxScalarDelete(this, flags); }

// Deletes a heap object through its interface's destructor slot; null is ignored.
template <class I>
void AaxDelete(I* object)
{
  if (object)
    object->ScalarDeletingDestructor(kAaxDeleteMemory);
}

// For owning smart pointers of such objects.
struct AaxDeleter
{
  template <class I>
  void operator()(I* object) const
  {
    AaxDelete(object);
  }
};
