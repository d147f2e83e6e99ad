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
