# Generated content: pictures, sound effects and music, written into the
# data directory by the tools under tools/. Each command reruns only when
# its tool is rebuilt; the definition file of a set is its last output.
set(YK_IMAGE_GROUPS
  "play\;bitmap-1.ykd"
  "menu\;bitmap-menu.ykd"
  "level\;bitmap-level.ykd"
  "systems\;bitmap-circulatory.ykd\;bitmap-digestive.ykd\;bitmap-respiratory.ykd\;bitmap-nervous.ykd")
set(YK_CONTENT_OUTPUTS)
foreach(group ${YK_IMAGE_GROUPS})
  list(GET group 0 name)
  list(SUBLIST group 1 -1 files)
  list(TRANSFORM files PREPEND ${YK_DATA_DIR}/)
  add_custom_command(
    OUTPUT ${files}
    COMMAND yk-art ${name} ${YK_DATA_DIR}
    DEPENDS yk-art
    COMMENT "Generating ${name} pictures")
  list(APPEND YK_CONTENT_OUTPUTS ${files})
endforeach()

add_custom_target(content ALL DEPENDS ${YK_CONTENT_OUTPUTS})
add_dependencies(content data)
