#pragma once

// Interfaces of the plug-in's own ACF objects, as the host calls them, in slot
// order (0-2 are IACFUnknown). Unnamed slots are answered by the plug-in but
// never relied on; the host only needs their place and argument words.

#include "AcfBase.h"
#include "AcfIds.h"
#include "AaxTypes.h"

class AAX_IACFEffectParameters : public IACFUnknown
{
public:
	virtual AaxResult ACF_CALL InitializeEffect (IACFUnknown* hostUnknown) = 0;                                // 3
	virtual AaxResult ACF_CALL UninitializeEffect () = 0;
	virtual AaxResult ACF_CALL HandleNotification (uint32_t type, const void* data, uint32_t size) = 0;
	virtual AaxResult ACF_CALL GetNumberOfParameters (int32_t* count) const = 0;
	virtual AaxResult ACF_CALL GetMasterBypassId (AAX_IString* id) const = 0;
	virtual AaxResult ACF_CALL GetParameterIsAutomatable (AaxParamID id, bool* automatable) const = 0;
	virtual AaxResult ACF_CALL GetParameterNumberOfSteps (AaxParamID id, int32_t* steps) const = 0;
	virtual AaxResult ACF_CALL GetParameterName (AaxParamID id, AAX_IString* name) const = 0;               // 10
	virtual AaxResult ACF_CALL GetParameterNameOfLength (AaxParamID id, AAX_IString* name, int32_t length) const = 0;
	virtual AaxResult ACF_CALL GetParameterDefaultNormalizedValue (AaxParamID id, double* value) const = 0;
	virtual AaxResult ACF_CALL SetParameterDefaultNormalizedValue (AaxParamID id, double value) = 0;
	virtual AaxResult ACF_CALL GetParameterType (AaxParamID id, int32_t* type) const = 0;
	virtual AaxResult ACF_CALL GetParameterOrientation (AaxParamID id, int32_t* orientation) const = 0;
	virtual AaxResult ACF_CALL GetParameter (AaxParamID id, AAX_IParameter** parameter) = 0;
	virtual AaxResult ACF_CALL GetParameterIndex (AaxParamID id, int32_t* index) const = 0;
	virtual AaxResult ACF_CALL GetParameterIDFromIndex (int32_t index, AAX_IString* id) const = 0;
	virtual AaxResult ACF_CALL GetParameterValueInfo (AaxParamID id, int32_t selector, int32_t* value) const = 0;
	virtual AaxResult ACF_CALL GetParameterValueFromString (AaxParamID id, double* value, const AAX_IString* text) const = 0; // 20
	virtual AaxResult ACF_CALL GetParameterStringFromValue (AaxParamID id, double value, AAX_IString* text, int32_t maxChars) const = 0;
	virtual AaxResult ACF_CALL GetParameterValueString (AaxParamID id, AAX_IString* text, int32_t maxChars) const = 0;
	virtual AaxResult ACF_CALL GetParameterNormalizedValue (AaxParamID id, double* value) const = 0;
	virtual AaxResult ACF_CALL SetParameterNormalizedValue (AaxParamID id, double value) = 0;
	virtual AaxResult ACF_CALL SetParameterNormalizedRelative (AaxParamID id, double delta) = 0;
	virtual AaxResult ACF_CALL TouchParameter (AaxParamID id) = 0;
	virtual AaxResult ACF_CALL ReleaseParameter (AaxParamID id) = 0;
	virtual AaxResult ACF_CALL Slot28 (AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL UpdateParameterNormalizedValue (AaxParamID id, double value, int32_t source) = 0;
	virtual AaxResult ACF_CALL UpdateParameterNormalizedRelative (AaxParamID id, double delta) = 0;         // 30
	virtual AaxResult ACF_CALL DispatchDirtyPackets () = 0;
	virtual AaxResult ACF_CALL ResetFieldData (AaxFieldIndex field, void* block, uint32_t size) const = 0;
	virtual AaxResult ACF_CALL GetNumberOfChunks (int32_t* count) const = 0;
	virtual AaxResult ACF_CALL GetChunkIDFromIndex (int32_t index, uint32_t* chunkId) const = 0;
	virtual AaxResult ACF_CALL GetChunkSize (uint32_t chunkId, uint32_t* size) const = 0;
	virtual AaxResult ACF_CALL GetChunk (uint32_t chunkId, AaxChunk* chunk) const = 0;
	virtual AaxResult ACF_CALL SetChunk (uint32_t chunkId, const AaxChunk* chunk) = 0;
	virtual AaxResult ACF_CALL CompareActiveChunk (const AaxChunk* chunk, bool* isEqual) const = 0;
	virtual AaxResult ACF_CALL GetNumberOfChanges (int32_t* changes) const = 0;
};

class AAX_IACFEffectParameters_V2 : public AAX_IACFEffectParameters
{
public:
	virtual AaxResult ACF_CALL Slot40 () = 0;                                                                  // 0
	virtual AaxResult ACF_CALL Slot41 (AaxWord, AaxWord, AaxWord, AaxWord) = 0;                               // -20009
	virtual AaxResult ACF_CALL Slot42 (AaxWord, AaxWord, AaxWord, uint32_t* out) = 0;                         // out 0, 0
	virtual AaxResult ACF_CALL Slot43 (AaxWord, AaxWord, AaxWord) = 0;                                        // 0
	virtual AaxResult ACF_CALL Slot44 () = 0;                                                                  // 0
	virtual AaxResult ACF_CALL Slot45 (AaxWord) = 0;                                                           // -20009
	virtual AaxResult ACF_CALL Slot46 (AaxWord, AaxWord) = 0;                                                 // 0
	virtual AaxResult ACF_CALL Slot47 (AaxWord, AaxWord) = 0;                                                 // 0
};

class AAX_IACFEffectGUI : public IACFUnknown
{
public:
	virtual AaxResult ACF_CALL InitializeGUI (IACFUnknown* hostUnknown) = 0;                                   // 3
	virtual AaxResult ACF_CALL UninitializeGUI () = 0;
	virtual AaxResult ACF_CALL Slot5 (AaxWord, AaxWord, AaxWord) = 0;                                         // 0
	virtual AaxResult ACF_CALL SetViewContainer (IACFUnknown* container) = 0;
	virtual AaxResult ACF_CALL GetViewSize (AaxViewSize* size) const = 0;
	virtual AaxResult ACF_CALL Slot8 (AaxWord) = 0;                                                           // 0
	virtual AaxResult ACF_CALL Slot9 () = 0;                                                                   // 0
	virtual AaxResult ACF_CALL ParameterUpdated (AaxParamID id) = 0;                                          // 10
	virtual AaxResult ACF_CALL Slot11 (AaxWord, AaxWord) = 0;                                                 // -20004
	virtual AaxResult ACF_CALL Slot12 (AaxWord, AaxWord, AaxWord) = 0;                                        // 0
};

// Procedures handed to the host: the create procedures (AddProcPtr ids 0 and 1)
// return the new object's primary interface with no reference counted yet; the
// render procedure gets the bounds of an array of render-context pointers.
typedef IACFUnknown* (*AaxCreateObjectProc) ();
typedef void (*AaxRenderProc) (void* const* first, void* const* last);

enum : uint32_t
{
	kAaxProcEffectParameters = 0,
	kAaxProcEffectGUI = 1,
};
