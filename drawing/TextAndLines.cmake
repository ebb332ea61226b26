# Fonts with a glyph cache, glyph kernels and line drawing, appended to zq_drawing.
target_sources(zq_drawing PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LICE_CachedFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LICE_Glyph.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LICE_Line.cpp
)
if(ZQ_WIN)
  target_sources(zq_drawing PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/LICE_CachedFontWin.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LICE_TextRendererWin.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LICE_WineProbeWin.cpp
  )
  target_link_libraries(zq_drawing PUBLIC user32 advapi32)
else()
  # Stand-in renderer: native builds exist for unit tests only.
  target_sources(zq_drawing PRIVATE ${CMAKE_CURRENT_LIST_DIR}/LICE_GlyphRasterNative.cpp)
endif()
# The glyph store is a framework HeapBuffer.
target_link_libraries(zq_drawing PUBLIC zq_framework)

# Hooks for test executables; the plug-in libraries never link this.
add_library(zq_drawing_testhooks STATIC ${CMAKE_CURRENT_LIST_DIR}/LICE_CachedFontTestHooks.cpp)
target_link_libraries(zq_drawing_testhooks PUBLIC zq_drawing)
