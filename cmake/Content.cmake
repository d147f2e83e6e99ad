# Generated content: pictures, sound effects and music, written into the
# data directory by the tools under tools/. Each command reruns only when
# its tool is rebuilt; the definition file of a set is its last output.
# The encoder writes Ogg pages itself, so it links libogg directly.
pkg_check_modules(OGG REQUIRED IMPORTED_TARGET ogg)
target_link_libraries(yk-sound PRIVATE PkgConfig::OGG)

# A generator is relinked whenever the game library changes, but its
# program stays the same to the byte unless code it uses changed. The
# content depends on a fingerprint of the program that is rewritten only
# when it differs (Ninja then sees nothing new), so a change to play rules
# does not draw every picture and encode every track again.
function(yk_fingerprint tool)
  set(out ${CMAKE_BINARY_DIR}/fingerprints/${tool}.sha256)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fingerprints
    COMMAND sh -c "sha256sum \"$1\" | cut -d' ' -f1 > \"$2.new\" && (cmp -s \"$2.new\" \"$2\" && rm \"$2.new\" || mv \"$2.new\" \"$2\")"
            fingerprint $<TARGET_FILE:${tool}> ${out}
    DEPENDS ${tool}
    VERBATIM)
  set(${tool}_FINGERPRINT ${out} PARENT_SCOPE)
endfunction()
yk_fingerprint(yk-art)
yk_fingerprint(yk-sound)

set(YK_IMAGE_GROUPS
  "play\;bitmap-1.ykd"
  "menu\;bitmap-menu.ykd"
  "level\;bitmap-level.ykd"
  "circulatory\;bitmap-circulatory.ykd"
  "digestive\;bitmap-digestive.ykd"
  "respiratory\;bitmap-respiratory.ykd"
  "nervous\;bitmap-nervous.ykd")
set(YK_CONTENT_OUTPUTS)
foreach(group ${YK_IMAGE_GROUPS})
  list(GET group 0 name)
  list(SUBLIST group 1 -1 files)
  list(TRANSFORM files PREPEND ${YK_DATA_DIR}/)
  add_custom_command(
    OUTPUT ${files}
    COMMAND yk-art ${name} ${YK_DATA_DIR}
    DEPENDS ${yk-art_FINGERPRINT}
    COMMENT "Generating ${name} pictures")
  list(APPEND YK_CONTENT_OUTPUTS ${files})
endforeach()

add_custom_command(
  OUTPUT ${YK_DATA_DIR}/sfx-1.ykd
  COMMAND yk-sound sfx ${YK_DATA_DIR}
  DEPENDS ${yk-sound_FINGERPRINT}
  COMMENT "Generating sound effects")
list(APPEND YK_CONTENT_OUTPUTS ${YK_DATA_DIR}/sfx-1.ykd)

# One command per track, so that two cores encode two tracks at once.
foreach(track r31 r32 r33 r34 r35 r36 r37 r38 r39 r40 rcoll)
  add_custom_command(
    OUTPUT ${YK_DATA_DIR}/ogg/${track}.ogg
    COMMAND yk-sound music ${track} ${YK_DATA_DIR}
    DEPENDS ${yk-sound_FINGERPRINT}
    COMMENT "Generating music ${track}")
  list(APPEND YK_CONTENT_OUTPUTS ${YK_DATA_DIR}/ogg/${track}.ogg)
endforeach()

# The window's own icon (_NET_WM_ICON), the desktop icon at 64 pixels.
add_custom_command(
  OUTPUT ${YK_DATA_DIR}/icon.png
  COMMAND yk-art icons ${CMAKE_BINARY_DIR}/window-icon
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/window-icon/64x64/apps/yolvar-krandel.png ${YK_DATA_DIR}/icon.png
  DEPENDS ${yk-art_FINGERPRINT}
  COMMENT "Drawing the window icon")
list(APPEND YK_CONTENT_OUTPUTS ${YK_DATA_DIR}/icon.png)

add_custom_target(content ALL DEPENDS ${YK_CONTENT_OUTPUTS})
# The data directory is complete only with the generated content.
add_dependencies(data content)

# Review pictures for everyone who changes art: every image with its tag,
# and whole screens drawn from the built data (build/test-output/).
add_test(NAME content.contact_sheet
  COMMAND yk-contact-sheet ${YK_DATA_DIR} ${CMAKE_BINARY_DIR}/test-output/contact-sheet.png)
add_test(NAME content.preview COMMAND yk-preview ${YK_DATA_DIR} ${CMAKE_BINARY_DIR}/test-output)
