#pragma once

#include <cstdint>

#include "aax-support/AaxDestructorSlot.h"

// Text as the host and the library exchange it. AAX_CString is the one
// implementation; the slot order is shared with the host.
class AAX_IString
{
public:
  virtual void* ScalarDeletingDestructor(uint32_t flags) = 0;
  virtual uint32_t Length() const = 0;
  virtual uint32_t MaxLength() const = 0;
  virtual const char* Text() const = 0;
  virtual void SetText(const char* text) = 0;
  virtual AAX_IString& AssignText(const char* text) = 0;
  virtual AAX_IString& AssignString(const AAX_IString& other) = 0;

protected:
  ~AAX_IString() = default;
};
