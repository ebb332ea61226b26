#pragma once

#include <cstdint>
#include <string>

#include "aax-support/AAX_IString.h"

// Owned 8-bit text of the AAX side. No encoding is interpreted; lengths count bytes.
class AAX_CString final : public AAX_IString
{
public:
  AAX_CString() = default;
  AAX_CString(const char* text);                      // null gives an empty text
  AAX_CString(const AAX_CString& other) = default;
  explicit AAX_CString(const AAX_IString& other);     // through the other's slots
  ~AAX_CString() = default;

  AAX_DESTRUCTOR_SLOT

  uint32_t Length() const override;
  uint32_t MaxLength() const override;                 // always 0xFFFFFFFE
  const char* Text() const override;
  void SetText(const char* text) override;             // null gives an empty text
  AAX_IString& AssignText(const char* text) override;
  AAX_IString& AssignString(const AAX_IString& other) override;

  AAX_CString& operator=(const AAX_CString& other);
  bool operator==(const AAX_CString& other) const;
  bool operator!=(const AAX_CString& other) const;
  bool operator<(const AAX_CString& other) const;      // bytewise, unsigned

  // Positions beyond the text are cut to its end rather than trusted.
  char* CharAt(uint32_t index);
  void Clear();
  AAX_CString& Erase(uint32_t pos, uint32_t count);
  void SubString(uint32_t pos, uint32_t count, AAX_IString* out) const;
  AAX_CString& Append(const AAX_CString& other);
  // Fixed notation, exactly precision digits after a "." whatever the locale.
  AAX_CString& AppendNumber(double value, int32_t precision);
  // Reads a decimal number from the start (after white space); 0.0 and false when there is none.
  bool ToDouble(double* out) const;

private:
  std::string mText;
};

// A string a caller hands in may be its own implementation of the interface,
// laid out by another compiler: it is read (its text) and written (its set)
// only through its slots. Out of line, so the compiler
// cannot take a caller's object declared as AAX_CString for one of ours.
AAX_CString AaxCopyOfString(const AAX_IString& callerString);
void AaxSetString(AAX_IString* callerString, const AAX_CString& text);
