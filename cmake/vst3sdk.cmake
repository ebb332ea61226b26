# The VST3 SDK from the distribution's package, compiled once per build tree as a static library.
set(ZQ_VST3SDK_DIR /usr/share/juce/modules/juce_audio_processors/format_types/VST3_SDK
    CACHE PATH "VST3 SDK folder (base/, pluginterfaces/, public.sdk/)")
if(NOT EXISTS ${ZQ_VST3SDK_DIR}/pluginterfaces/base/funknown.h)
  message(STATUS "VST3 SDK not found at ${ZQ_VST3SDK_DIR}; VST3 targets are skipped")
  return()
endif()

set(_sdk ${ZQ_VST3SDK_DIR})
add_library(zq_vst3sdk STATIC EXCLUDE_FROM_ALL
  ${_sdk}/pluginterfaces/base/conststringtable.cpp
  ${_sdk}/pluginterfaces/base/coreiids.cpp
  ${_sdk}/pluginterfaces/base/funknown.cpp
  ${_sdk}/pluginterfaces/base/ustring.cpp
  ${_sdk}/base/source/baseiids.cpp
  ${_sdk}/base/source/fbuffer.cpp
  ${_sdk}/base/source/fdebug.cpp
  ${_sdk}/base/source/fobject.cpp
  ${_sdk}/base/source/fstreamer.cpp
  ${_sdk}/base/source/fstring.cpp
  ${_sdk}/base/source/updatehandler.cpp
  ${_sdk}/base/thread/source/flock.cpp
  ${_sdk}/public.sdk/source/common/memorystream.cpp
  ${_sdk}/public.sdk/source/common/pluginview.cpp
  ${_sdk}/public.sdk/source/vst/vstbus.cpp
  ${_sdk}/public.sdk/source/vst/vstcomponent.cpp
  ${_sdk}/public.sdk/source/vst/vstcomponentbase.cpp
  ${_sdk}/public.sdk/source/vst/vsteditcontroller.cpp
  ${_sdk}/public.sdk/source/vst/vstinitiids.cpp
  ${_sdk}/public.sdk/source/vst/vstparameters.cpp
  ${_sdk}/public.sdk/source/vst/hosting/hostclasses.cpp
  ${_sdk}/public.sdk/source/vst/hosting/pluginterfacesupport.cpp
  # Ids the SDK copy declares but never defines.
  ${CMAKE_SOURCE_DIR}/formats/vst3/PlugViewIids.cpp
)
target_include_directories(zq_vst3sdk SYSTEM PUBLIC ${_sdk})
target_compile_definitions(zq_vst3sdk PUBLIC RELEASE=1 NDEBUG)
# The SDK is not ours to clean up; keep its warnings out of our logs.
target_compile_options(zq_vst3sdk PRIVATE -w)
if(ZQ_WIN)
  target_link_libraries(zq_vst3sdk PUBLIC ole32 uuid)
endif()
