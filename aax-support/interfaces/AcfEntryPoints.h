#pragma once

// The seven entry points an ACF module exports (stdcall on 32-bit x86, exported
// undecorated), and the pointer types a host resolves them into.

#include "AcfBase.h"

extern "C" {
AaxResult ACF_CALL ACFStartup (IACFUnknown* hostUnknown);
AaxResult ACF_CALL ACFShutdown (IACFUnknown* hostUnknown);
AaxResult ACF_CALL ACFRegisterPlugin (IACFUnknown* hostUnknown, IACFUnknown** pluginDefinition);
AaxResult ACF_CALL ACFRegisterComponent (IACFUnknown* hostUnknown, uint32_t index, IACFUnknown** component);
AaxResult ACF_CALL ACFGetClassFactory (IACFUnknown* hostUnknown, AcfRefIID classId, AcfRefIID iid, void** factory);
AaxResult ACF_CALL ACFGetSDKVersion (uint64_t* version);
AaxResult ACF_CALL ACFCanUnloadNow (IACFUnknown* hostUnknown);
}

typedef AaxResult (ACF_CALL* AcfStartupProc) (IACFUnknown*);
typedef AaxResult (ACF_CALL* AcfShutdownProc) (IACFUnknown*);
typedef AaxResult (ACF_CALL* AcfRegisterPluginProc) (IACFUnknown*, IACFUnknown**);
typedef AaxResult (ACF_CALL* AcfRegisterComponentProc) (IACFUnknown*, uint32_t, IACFUnknown**);
typedef AaxResult (ACF_CALL* AcfGetClassFactoryProc) (IACFUnknown*, AcfRefIID, AcfRefIID, void**);
typedef AaxResult (ACF_CALL* AcfGetSDKVersionProc) (uint64_t*);
typedef AaxResult (ACF_CALL* AcfCanUnloadNowProc) (IACFUnknown*);

// The version word ACFGetSDKVersion reports.
inline constexpr uint64_t kAcfSDKVersion = 0x00000201007756BFull;
