# The status-text font, copied into the runtime directory under the name the game opens.
# DejaVu Sans Mono Bold (Debian package fonts-dejavu-core, Bitstream Vera licence): the bold
# strokes survive the game's strong downscaling of its 300-pixel glyphs, and fixed-width digits
# keep the counters in the status lines from jittering as they change.
find_file(ORRISK_FONT_FILE DejaVuSansMono-Bold.ttf
          PATHS /usr/share/fonts/truetype/dejavu
          NO_DEFAULT_PATH)
if(NOT ORRISK_FONT_FILE)
  message(FATAL_ERROR "DejaVuSansMono-Bold.ttf not found in /usr/share/fonts/truetype/dejavu: "
                      "install the Debian package fonts-dejavu-core")
endif()
configure_file(${ORRISK_FONT_FILE} ${ORRISK_RUNTIME_DIR}/subatomic.tsoonami.ttf COPYONLY)
