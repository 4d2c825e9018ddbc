# Installation: `cmake --install BUILD --prefix P` gives P/bin/orrisk, a launcher that starts the
# game from its data directory P/share/orrisk, plus the data checker, desktop entry, icons,
# AppStream metadata and manual pages. All paths are relative to the prefix so it can move.
set(ORRISK_GAME_DIR lib/orrisk)
set(ORRISK_DATA_DIR share/orrisk)
set(ORRISK_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

# The launcher knows the way from bin/ to the game and its data.
file(RELATIVE_PATH ORRISK_BIN_TO_DATA /prefix/bin /prefix/${ORRISK_DATA_DIR})
file(RELATIVE_PATH ORRISK_BIN_TO_GAME /prefix/bin /prefix/${ORRISK_GAME_DIR}/orrisk)
configure_file(${ORRISK_PACKAGING_DIR}/orrisk.in ${CMAKE_BINARY_DIR}/packaging/orrisk @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/orrisk DESTINATION bin)
install(TARGETS orrisk RUNTIME DESTINATION ${ORRISK_GAME_DIR})
if(TARGET orrisk-check)
  install(TARGETS orrisk-check RUNTIME DESTINATION bin)
endif()

# Everything the runtime directory holds except the programs built beside the data (the game and
# its tools, all named orrisk*): tables, emitter files, shader sources, sprites and the font.
install(DIRECTORY ${ORRISK_RUNTIME_DIR}/ DESTINATION ${ORRISK_DATA_DIR}
        PATTERN orrisk EXCLUDE PATTERN orrisk-* EXCLUDE)

# Desktop icons, painted by the sprite generator at the sizes it offers.
set(ORRISK_ICON_SIZES 16 32 48 64 128 256)
set(ORRISK_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
list(TRANSFORM ORRISK_ICON_SIZES REPLACE "(.+)" "${ORRISK_ICON_DIR}/orrisk-\\1.png"
     OUTPUT_VARIABLE ORRISK_ICONS)
add_custom_command(OUTPUT ${ORRISK_ICONS}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${ORRISK_ICON_DIR}
                   COMMAND orrisk-sprites --icons ${ORRISK_ICON_DIR}
                   DEPENDS orrisk-sprites
                   COMMENT "Painting the desktop icons into ${ORRISK_ICON_DIR}")
add_custom_target(orrisk_icons ALL DEPENDS ${ORRISK_ICONS})
foreach(size ${ORRISK_ICON_SIZES})
  install(FILES ${ORRISK_ICON_DIR}/orrisk-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME orrisk.png)
endforeach()

install(FILES ${ORRISK_PACKAGING_DIR}/orrisk.desktop DESTINATION share/applications)
install(FILES ${ORRISK_PACKAGING_DIR}/io.github.orrisk.Orrisk.metainfo.xml
        DESTINATION share/metainfo)
install(FILES ${ORRISK_PACKAGING_DIR}/orrisk.6 DESTINATION share/man/man6)
install(FILES ${ORRISK_PACKAGING_DIR}/orrisk-check.1 DESTINATION share/man/man1)
