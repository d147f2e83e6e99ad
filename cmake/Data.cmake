# Copies the hand-made data sources and the font into the built data directory.
file(GLOB_RECURSE YK_DATA_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data-src/*)
set(YK_DATA_STAMP ${CMAKE_BINARY_DIR}/data-src.stamp)
add_custom_command(
  OUTPUT ${YK_DATA_STAMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${YK_DATA_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data-src ${YK_DATA_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${YK_DATA_STAMP}
  DEPENDS ${YK_DATA_SOURCES}
  COMMENT "Copying data sources")
add_custom_target(data ALL DEPENDS ${YK_DATA_STAMP})

# The game's TrueType font comes from a Debian package (fonts-dejavu-core).
find_file(YK_FONT_FILE DejaVuSans-Bold.ttf PATHS /usr/share/fonts/truetype/dejavu NO_DEFAULT_PATH)
if(NOT YK_FONT_FILE)
  message(FATAL_ERROR "DejaVuSans-Bold.ttf not found: run ./yk deps (package fonts-dejavu-core)")
endif()
set(YK_FONT_COPY ${YK_DATA_DIR}/fonts/DejaVuSans-Bold.ttf)
add_custom_command(
  OUTPUT ${YK_FONT_COPY}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${YK_DATA_DIR}/fonts
  COMMAND ${CMAKE_COMMAND} -E copy ${YK_FONT_FILE} ${YK_FONT_COPY}
  DEPENDS ${YK_FONT_FILE}
  COMMENT "Copying the TrueType font")
add_custom_target(data-fonts ALL DEPENDS ${YK_FONT_COPY})
add_dependencies(data data-fonts)
