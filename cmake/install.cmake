# Installation: `cmake --install BUILD --prefix P` gives P/bin/orrisk, a launcher that starts the
# game from its data directory P/share/orrisk, plus the data checker, desktop entry, icons,
# AppStream metadata and manual pages. All paths are relative to the prefix so it can move.
# The Debian package lays the same files out as a game (scripts/package sets these).
set(ORRISK_LAUNCHER_DIR bin CACHE STRING "Where the launcher goes, relative to the prefix")
set(ORRISK_GAME_DIR lib/orrisk CACHE STRING "Where the game binary goes, relative to the prefix")
set(ORRISK_DATA_DIR share/orrisk CACHE STRING "Where the game's data goes, relative to the prefix")
option(ORRISK_DEBIAN_PACKAGE
       "Install as the Debian package wants it (font linked, manuals compressed) and set up CPack"
       OFF)
set(ORRISK_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

# The launcher knows the way from its directory to the game and its data.
file(RELATIVE_PATH ORRISK_BIN_TO_DATA /prefix/${ORRISK_LAUNCHER_DIR} /prefix/${ORRISK_DATA_DIR})
file(RELATIVE_PATH ORRISK_BIN_TO_GAME /prefix/${ORRISK_LAUNCHER_DIR}
     /prefix/${ORRISK_GAME_DIR}/orrisk)
configure_file(${ORRISK_PACKAGING_DIR}/orrisk.in ${CMAKE_BINARY_DIR}/packaging/orrisk @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/orrisk DESTINATION ${ORRISK_LAUNCHER_DIR})
install(TARGETS orrisk RUNTIME DESTINATION ${ORRISK_GAME_DIR})
if(TARGET orrisk-check)
  install(TARGETS orrisk-check RUNTIME DESTINATION bin)
endif()

# Everything the runtime directory holds except the programs built beside the data (the game and
# its tools, all named orrisk*): tables, emitter files, shader sources, sprites and the font.
# The package links the font to the file of the Debian font package it depends on instead of
# holding a second copy (relative, as both lie under /usr).
set(ORRISK_FONT_NAME subatomic.tsoonami.ttf)
set(ORRISK_DATA_EXCLUDED PATTERN orrisk EXCLUDE PATTERN orrisk-* EXCLUDE)
if(ORRISK_DEBIAN_PACKAGE)
  list(APPEND ORRISK_DATA_EXCLUDED PATTERN ${ORRISK_FONT_NAME} EXCLUDE)
  file(RELATIVE_PATH ORRISK_FONT_LINK ${CMAKE_INSTALL_PREFIX}/${ORRISK_DATA_DIR} ${ORRISK_FONT_FILE})
endif()
install(DIRECTORY ${ORRISK_RUNTIME_DIR}/ DESTINATION ${ORRISK_DATA_DIR} ${ORRISK_DATA_EXCLUDED})
if(ORRISK_DEBIAN_PACKAGE)
  install(CODE "file(CREATE_LINK ${ORRISK_FONT_LINK}
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ORRISK_DATA_DIR}/${ORRISK_FONT_NAME}\" SYMBOLIC)")
endif()

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

# The manual pages carry the version and the directories chosen above; the package compresses
# them as Debian does (gzip -9n: no name or time stamp, so the same page gives the same bytes).
set(ORRISK_MAN_PAGES orrisk.6 orrisk-check.1)
foreach(page ${ORRISK_MAN_PAGES})
  set(built ${CMAKE_BINARY_DIR}/packaging/${page})
  configure_file(${ORRISK_PACKAGING_DIR}/${page} ${built} @ONLY)
  if(ORRISK_DEBIAN_PACKAGE)
    execute_process(COMMAND gzip -9nf ${built} COMMAND_ERROR_IS_FATAL ANY)
    set(built ${built}.gz)
  endif()
  string(REGEX REPLACE ".*\\." "" section ${page})
  install(FILES ${built} DESTINATION share/man/man${section})
endforeach()
