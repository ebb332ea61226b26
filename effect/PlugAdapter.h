#pragma once

// The format adapter the plug-in class derives from in this build. The
// effect is compiled once per adapter, with exactly one of these defined:
//   ZQ_API_VST3      formats/vst3/IPlugVST3.h          IPlugVST3
//   ZQ_API_VST2      formats/vst2/IPlugVST.h           IPlugVST
//   ZQ_API_AAX       formats/aax/IPlugAAX.h            IPlugAAX
//   ZQ_API_HEADLESS  formats/headless/IPlugHeadless.h  IPlugHeadless (tests and tools)
//
// Every adapter header also defines IPlugInstanceInfo, the per-build host
// context the plug-in hands through unchanged (the VST2 host callback; void*
// where there is none), and gives its adapter the constructor
//   (IPlugInstanceInfo, nParams, channelIOStr, nPresets, effectName,
//    productName, makerName, vendorVersion, uniqueID, makerID, latency,
//    doesMIDI, doesChunks, isInst, int extra)
// whose last argument is the side-chain channel count where the format has
// one and unused otherwise.

#if (defined(ZQ_API_VST3) + defined(ZQ_API_VST2) + defined(ZQ_API_AAX) + defined(ZQ_API_HEADLESS)) != 1
#error "Define exactly one of ZQ_API_VST3, ZQ_API_VST2, ZQ_API_AAX, ZQ_API_HEADLESS"
#endif

#if defined(ZQ_API_VST3)
#include "formats/vst3/IPlugVST3.h"
typedef IPlugVST3 IPlugAdapter;
#elif defined(ZQ_API_VST2)
#include "formats/vst2/IPlugVST.h"
typedef IPlugVST IPlugAdapter;
#elif defined(ZQ_API_AAX)
#include "formats/aax/IPlugAAX.h"
typedef IPlugAAX IPlugAdapter;
#else
#include "formats/headless/IPlugHeadless.h"
typedef IPlugHeadless IPlugAdapter;
#endif
