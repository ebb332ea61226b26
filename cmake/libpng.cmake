# zq_png: libpng for the drawing library and its tests.
# Native builds use the host's libpng; the Windows builds compile Debian's
# libpng source (unpacked by scripts/setup into .deps/src) as a static library
# against mingw's static zlib. The fuzz build compiles the same source so that
# the decoder's paths are instrumented and guide the fuzzer.

if(TARGET zq_png)
  return()
endif()

if(ZQ_WIN OR ZQ_FUZZ)
  file(GLOB _zq_png_dirs LIST_DIRECTORIES true "${CMAKE_SOURCE_DIR}/.deps/src/libpng1.6-*")
  list(FILTER _zq_png_dirs EXCLUDE REGEX "\\.(tar|dsc|gz|xz)")
  list(SORT _zq_png_dirs COMPARE NATURAL)
  list(POP_BACK _zq_png_dirs ZQ_LIBPNG_SOURCE_DIR)
  if(NOT ZQ_LIBPNG_SOURCE_DIR OR NOT EXISTS "${ZQ_LIBPNG_SOURCE_DIR}/png.c")
    message(FATAL_ERROR "libpng source not found under .deps/src; run scripts/setup")
  endif()

  if(ZQ_WIN)
    find_library(ZQ_ZLIB_STATIC NAMES libz.a REQUIRED)
    set(_zq_zlib "${ZQ_ZLIB_STATIC}")
  else()
    # Plain paths: an imported ZLIB::ZLIB would be local to this directory.
    find_package(ZLIB REQUIRED)
    set(_zq_zlib ${ZLIB_LIBRARIES})
  endif()

  set(_zq_png_gen "${CMAKE_BINARY_DIR}/_libpng")
  configure_file("${ZQ_LIBPNG_SOURCE_DIR}/scripts/pnglibconf.h.prebuilt" "${_zq_png_gen}/pnglibconf.h" COPYONLY)

  set(_zq_png_sources png.c pngerror.c pngget.c pngmem.c pngpread.c pngread.c pngrio.c pngrtran.c pngrutil.c
      pngset.c pngtrans.c pngwio.c pngwrite.c pngwtran.c pngwutil.c)
  list(TRANSFORM _zq_png_sources PREPEND "${ZQ_LIBPNG_SOURCE_DIR}/")
  add_library(zq_png STATIC ${_zq_png_sources})
  target_include_directories(zq_png SYSTEM PUBLIC "${ZQ_LIBPNG_SOURCE_DIR}" "${_zq_png_gen}" ${ZLIB_INCLUDE_DIRS})
  # No SIMD filter code: the prebuilt configuration leaves it off.
  target_compile_definitions(zq_png PRIVATE PNG_ARM_NEON_OPT=0 PNG_INTEL_SSE_OPT=0 PNG_MIPS_MSA_OPT=0
                             PNG_POWERPC_VSX_OPT=0)
  target_compile_options(zq_png PRIVATE -w)
  target_link_libraries(zq_png PUBLIC ${_zq_zlib})

  file(STRINGS "${ZQ_LIBPNG_SOURCE_DIR}/png.h" _zq_png_ver REGEX "^#define PNG_LIBPNG_VER_STRING")
  string(REGEX REPLACE ".*\"(.*)\".*" "\\1" ZQ_LIBPNG_VERSION "${_zq_png_ver}")
  message(STATUS "libpng ${ZQ_LIBPNG_VERSION} from ${ZQ_LIBPNG_SOURCE_DIR}")
else()
  find_package(PNG REQUIRED)
  # The imported PNG::PNG is local to this directory; carry its results instead.
  add_library(zq_png INTERFACE)
  target_include_directories(zq_png SYSTEM INTERFACE ${PNG_INCLUDE_DIRS})
  target_compile_definitions(zq_png INTERFACE ${PNG_DEFINITIONS})
  target_link_libraries(zq_png INTERFACE ${PNG_LIBRARIES})
  message(STATUS "libpng ${PNG_VERSION_STRING} (system)")
endif()
