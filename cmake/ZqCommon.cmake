# Build-wide settings shared by every preset.

if(WIN32)
  set(ZQ_WIN ON)
  set(ZQ_NATIVE OFF)
else()
  set(ZQ_WIN OFF)
  set(ZQ_NATIVE ON)
  set(ZQ_ARCH native)
endif()

find_program(ZQ_CCACHE ccache)
if(ZQ_CCACHE)
  set(CMAKE_C_COMPILER_LAUNCHER ${ZQ_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${ZQ_CCACHE})
endif()

# Results must not depend on the compiler's choice of fused operations.
add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffp-contract=off>)

if(ZQ_WIN)
  if(ZQ_ARCH STREQUAL "x86")
    # Doubles in SSE registers, as on x86-64, instead of 80-bit x87.
    add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-msse2> $<$<COMPILE_LANGUAGE:C,CXX>:-mfpmath=sse>)
  endif()
  # No libgcc/libstdc++/winpthread DLLs next to the plug-in.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
  # Windows executables run through Wine, one prefix per build tree.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run ${CMAKE_BINARY_DIR}/wineprefix)
endif()

# Per-test time-out. 32-bit Wine under qemu-i386 (kernels without IA-32 support, see
# scripts/x86-support) runs about five times slower, and thread start-up more so.
set(ZQ_TEST_TIMEOUT 300)
if(ZQ_WIN AND ZQ_ARCH STREQUAL "x86" AND EXISTS /proc/sys/fs/binfmt_misc/zq-i386)
  set(ZQ_X86_EMULATED ON)
  set(ZQ_TEST_TIMEOUT 1500)
endif()

if(ZQ_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(ZQ_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# GoogleTest from the distribution's sources, built with this tree's compiler and flags.
if(NOT TARGET GTest::gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_googletest EXCLUDE_FROM_ALL)
  foreach(t gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${t})
      add_library(GTest::${t} ALIAS ${t})
    endif()
  endforeach()
endif()

if(ZQ_NATIVE AND NOT ZQ_FUZZ)
  find_package(benchmark QUIET)
endif()

# zq_add_test(NAME n SOURCES ... [LIBS ...] [NATIVE_ONLY] [WINDOWS_ONLY] [ARGS ...])
# A GoogleTest executable registered with CTest; on Windows presets CTest runs it under Wine.
function(zq_add_test)
  cmake_parse_arguments(T "NATIVE_ONLY;WINDOWS_ONLY" "NAME" "SOURCES;LIBS;ARGS" ${ARGN})
  if(ZQ_FUZZ)
    return()
  endif()
  if(T_NATIVE_ONLY AND NOT ZQ_NATIVE)
    return()
  endif()
  if(T_WINDOWS_ONLY AND NOT ZQ_WIN)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} ${T_ARGS} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${T_NAME} PROPERTIES LABELS "${ZQ_ARCH}" TIMEOUT ${ZQ_TEST_TIMEOUT})
endfunction()
