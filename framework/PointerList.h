#pragma once

#include "framework/HeapBuffer.h"

// List of pointers stored one after another in a HeapBuffer (byte size is
// count x pointer width). Lists that own their elements free them with
// DeleteAt/DeleteAll; each element type's destructor releases its own
// storage. Borrowing lists only call Empty().
template <class T>
class PointerList
{
public:
  PointerList() : mBuffer(HeapBuffer::kDefaultGranularity) {}
  ~PointerList() { mBuffer.Free(); } // never deletes elements: the owner does

  PointerList(const PointerList&) = delete;
  PointerList& operator=(const PointerList&) = delete;

  int GetSize() const { return mBuffer.GetSize() / int(sizeof(T*)); }
  int GetByteSize() const { return mBuffer.GetSize(); }

  // nullptr outside [0, GetSize()).
  T* Get(int index) const
  {
    return (index >= 0 && index < GetSize()) ? List()[index] : nullptr;
  }

  // Appends; returns the pointer, or nullptr when the list could not grow.
  T* Add(T* item) { return Insert(GetSize(), item); }

  // Inserts at `index` clamped to [0, GetSize()]; later entries move up.
  // Returns the pointer, or nullptr when the list could not grow.
  T* Insert(int index, T* item)
  {
    const int n = GetSize();
    if (index < 0) index = 0;
    if (index > n) index = n;
    mBuffer.Resize((n + 1) * int(sizeof(T*)), false);
    if (GetSize() != n + 1) return nullptr;
    T** list = List();
    for (int i = n; i > index; --i) list[i] = list[i - 1];
    list[index] = item;
    return item;
  }

  // Removes the entry without deleting it; nothing outside [0, GetSize()).
  void RemoveAt(int index)
  {
    const int n = GetSize();
    if (index < 0 || index >= n) return;
    T** list = List();
    for (int i = index; i < n - 1; ++i) list[i] = list[i + 1];
    mBuffer.Resize((n - 1) * int(sizeof(T*)), false);
  }

  // Deletes the owned element at `index` and closes the gap.
  void DeleteAt(int index)
  {
    if (index < 0 || index >= GetSize()) return;
    delete List()[index];
    RemoveAt(index);
  }

  // Deletes every owned element from the last to the first, then frees the list.
  void DeleteAll()
  {
    for (int i = GetSize() - 1; i >= 0; --i)
    {
      delete List()[i];
      mBuffer.Resize(i * int(sizeof(T*)), false);
    }
    mBuffer.Free();
  }

  // Forgets every entry without deleting it.
  void Empty() { mBuffer.Free(); }

private:
  T** List() const { return static_cast<T**>(mBuffer.Get()); }

  HeapBuffer mBuffer;
};
