#pragma once

// The rules behind the editor's value prompts and file dialog that do not
// need the window system: which characters a text entry takes, what a typed
// text commits, and the file dialog's filter. Kept apart from the Windows
// code so they are tested natively as well.

class IParamRecord;

// Whether the text entry of a parameter of `kind` (IParamRecord::EKind)
// takes the typed character `ch`. Backspace always passes; bool, int and
// enum entries take signs and digits, double entries also the point.
bool TextEntryAcceptsChar(int kind, int ch);

// The leading decimal number of `text` ([blanks][sign]digits[.digits][exponent]),
// read the same whatever the process locale; 0 when the text starts with no number.
double ParseLeadingNumber(const char* text);

// The plain value that committing `text` gives `param`: for bool and enum
// parameters the key of the first display text equal to the text (0 when none
// matches), otherwise the leading number, negated for negate-display parameters.
double TextEntryPlainValue(const IParamRecord& param, const char* text);

// The open/save dialog's filter from space-separated extensions ("png jpg"):
// `pattern` gets "*.png;*.jpg" and `defExt` the first extension ("png").
// Every space starts a token, so two spaces in a row give an empty "*." mask.
// Only masks that fit whole are kept; a first extension that does not fit in
// `defExt` gives no default extension. Null or empty extensions give "" for both.
void BuildFileFilter(const char* extensions, char* pattern, int patternSize, char* defExt,
                     int defExtSize);

