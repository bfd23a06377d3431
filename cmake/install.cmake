# `cmake --install`: the game with its archives and shipped levels, the tools, and what a desktop
# needs to offer it (launcher, menu entry, icon, metainfo).
#
#   bin/tobli                         the launcher: runs the game from the user's own folder
#   bin/vez, bin/tobli-replay, bin/levelcheck   the tools
#   libexec/tobli/tobli               the game itself
#   share/tobli/{media,music}.vez     its archives
#   share/tobli/levels/Level.N        the shipped levels (never the save slots Level.01-03)
#   share/applications, share/icons, share/metainfo, share/doc/Tobli (README and docs/)
#
# The launcher finds the game and its data relative to its own place, so an install tree can
# be moved or installed with --prefix or DESTDIR at install time.
include(GNUInstallDirs)

set(TOBLI_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/tobli)
set(TOBLI_INSTALL_GAMEDIR ${CMAKE_INSTALL_LIBEXECDIR}/tobli)
set(TOBLI_APP_ID org.tobli.tobli)
set(tobli_packaging ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS tobli RUNTIME DESTINATION ${TOBLI_INSTALL_GAMEDIR})
foreach(tool vez tobli-replay levelcheck)
  if(TARGET ${tool})
    install(TARGETS ${tool} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${TOBLI_STAGE_DIR}/media.vez ${TOBLI_STAGE_DIR}/music.vez
        DESTINATION ${TOBLI_INSTALL_DATADIR})
# Level.0, Level.1, ... but not the save slots Level.01 to Level.03 a designer's own games
# leave in the working tree. Matched at install time, so new levels need no new configure.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/levels/
        DESTINATION ${TOBLI_INSTALL_DATADIR}/levels
        FILES_MATCHING REGEX "/Level\\.(0|[1-9][0-9]*)$")

# The launcher's paths to the game and the data, relative to the folder it is installed in.
file(RELATIVE_PATH TOBLI_LAUNCHER_TO_DATA ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/tobli)
file(RELATIVE_PATH TOBLI_LAUNCHER_TO_GAME ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_LIBEXECDIR}/tobli/tobli)
configure_file(${tobli_packaging}/tobli-launcher.sh.in ${CMAKE_BINARY_DIR}/packaging/tobli @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/tobli DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${tobli_packaging}/${TOBLI_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${tobli_packaging}/${TOBLI_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
install(FILES ${tobli_packaging}/${TOBLI_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The README with the notes and pictures it links to, in the same places relative to it.
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs
        FILES_MATCHING PATTERN "*.md" PATTERN "*.png")
