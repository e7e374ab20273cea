# Installation: the program and its three data files in one folder, a launcher that starts the
# program there, the desktop entry with the icon, a copy of the help pages and the data
# attribution.
#
#   <prefix>/lib/tropfwerk/            tropfwerk, tropfwerk-rechner, Data1.cry, Data2.cry, Data3.cry
#   <prefix>/bin/tropfwerk             launcher: changes into lib/tropfwerk and runs the program
#   <prefix>/bin/tropfwerk-rechner     link to the calculator, which finds the data beside itself
#   <prefix>/share/applications/tropfwerk.desktop
#   <prefix>/share/icons/hicolor/scalable/apps/tropfwerk.svg, .../mimetypes/application-x-tropfwerk.svg
#   <prefix>/share/mime/packages/tropfwerk.xml   the type of calculation files (*.tropfwerk)
#   <prefix>/share/metainfo/tropfwerk.metainfo.xml
#   <prefix>/share/doc/tropfwerk/      SOURCES.md and licence texts, hilfe/, bilder/
include(GNUInstallDirs)

set(TW_PROGRAMMORDNER "lib/tropfwerk")
set(TW_DOKUORDNER "${CMAKE_INSTALL_DATADIR}/doc/tropfwerk")

install(TARGETS tropfwerk tropfwerk-rechner RUNTIME DESTINATION ${TW_PROGRAMMORDNER})
install(FILES ${CMAKE_BINARY_DIR}/Data1.cry ${CMAKE_BINARY_DIR}/Data2.cry ${CMAKE_BINARY_DIR}/Data3.cry
        DESTINATION ${TW_PROGRAMMORDNER})

# The launcher finds the program folder relative to its own place, so the installed tree may be
# moved as a whole.
file(RELATIVE_PATH TW_STARTER_ZUM_PROGRAMM "/${CMAKE_INSTALL_BINDIR}" "/${TW_PROGRAMMORDNER}")
configure_file(${CMAKE_SOURCE_DIR}/packaging/tropfwerk.in ${CMAKE_BINARY_DIR}/packaging/tropfwerk @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/tropfwerk DESTINATION ${CMAKE_INSTALL_BINDIR})
install(CODE "
  set(tw_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${tw_bin}\")
  file(CREATE_LINK \"${TW_STARTER_ZUM_PROGRAMM}/tropfwerk-rechner\" \"\${tw_bin}/tropfwerk-rechner\" SYMBOLIC)
  message(STATUS \"Installing: \${tw_bin}/tropfwerk-rechner\")
")

# The desktop entry names the launcher by its full path, which is known only when installing
# (cmake --install --prefix may choose another prefix than the configured one).
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/packaging/desktop_eintrag.cmake @ONLY CONTENT [[
set(TW_STARTER "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_BINDIR@/tropfwerk")
set(TW_AUFRUF "${TW_STARTER}")
if(TW_AUFRUF MATCHES " ")
  set(TW_AUFRUF "\"${TW_AUFRUF}\"")
endif()
# One working folder per destination, so that installs into different places may run at once.
string(SHA1 tw_kennung "$ENV{DESTDIR}|${CMAKE_INSTALL_PREFIX}")
set(tw_arbeit "@CMAKE_BINARY_DIR@/packaging/desktop-${tw_kennung}")
configure_file("@CMAKE_SOURCE_DIR@/packaging/tropfwerk.desktop.in" "${tw_arbeit}/tropfwerk.desktop" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_DATADIR@/applications"
     TYPE FILE FILES "${tw_arbeit}/tropfwerk.desktop")
file(REMOVE_RECURSE "${tw_arbeit}")
]])
install(SCRIPT ${CMAKE_BINARY_DIR}/packaging/desktop_eintrag.cmake)

install(FILES ${CMAKE_SOURCE_DIR}/resources/bilder/icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME tropfwerk.svg)
install(FILES ${CMAKE_SOURCE_DIR}/resources/bilder/icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes
        RENAME application-x-tropfwerk.svg)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tropfwerk-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME tropfwerk.xml)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tropfwerk.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The help is compiled into the program; the copy of its pages can be read in any browser. The
# pages refer to the program's pictures as ../../bilder/.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/hilfe/ DESTINATION ${TW_DOKUORDNER}/hilfe
        FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.svg" PATTERN "*.png")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/bilder/ DESTINATION ${TW_DOKUORDNER}/bilder
        FILES_MATCHING PATTERN "*.svg")

# Where the data comes from; the licences are named there.
install(FILES ${CMAKE_SOURCE_DIR}/data/SOURCES.md DESTINATION ${TW_DOKUORDNER})
