# Fonts with a glyph cache, glyph kernels and line drawing, appended to zq_drawing.
target_sources(zq_drawing PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LICE_Glyph.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LICE_Line.cpp
)
