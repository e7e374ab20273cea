# Installation: the two programs, their data files in the installed data folder, the desktop
# entry with the icon, manual pages, a copy of the help pages and the data licences.
#
#   <prefix>/bin/tropfwerk, tropfwerk-rechner
#   <prefix>/share/tropfwerk/            Data1.cry, Data2.cry, Data3.cry (found by the programs
#                                        relative to their own folder, or at the prefix)
#   <prefix>/share/applications/tropfwerk.desktop
#   <prefix>/share/icons/hicolor/scalable/apps/tropfwerk.svg, .../mimetypes/application-x-tropfwerk.svg
#   <prefix>/share/mime/packages/tropfwerk.xml   the type of calculation files (*.tropfwerk)
#   <prefix>/share/metainfo/org.example.tropfwerk.metainfo.xml
#   <prefix>/share/man/man1/tropfwerk.1.gz, tropfwerk-rechner.1.gz
#   <prefix>/share/doc/tropfwerk/        copyright (with the data licences), changelog.Debian.gz,
#                                        SOURCES.md, hilfe/, bilder/
#   <prefix>/share/doc-base/tropfwerk-hilfe   registers the help pages
#   <prefix>/share/lintian/overrides/tropfwerk
include(GNUInstallDirs)

set(TW_DATENZIEL "${CMAKE_INSTALL_DATADIR}/tropfwerk")
set(TW_DOKUORDNER "${CMAKE_INSTALL_DATADIR}/doc/tropfwerk")

install(TARGETS tropfwerk tropfwerk-rechner RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (cpack) also drops the sections a program does not need at run time.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(tw_programm tropfwerk tropfwerk-rechner)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        --strip-unneeded \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${tw_programm}\"
        COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()
")
install(FILES ${CMAKE_BINARY_DIR}/Data1.cry ${CMAKE_BINARY_DIR}/Data2.cry ${CMAKE_BINARY_DIR}/Data3.cry
        DESTINATION ${TW_DATENZIEL})

# The desktop entry names the program by its full path, which is known only when installing
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
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME org.example.tropfwerk.metainfo.xml)

# Manual pages and the package's change log, compressed as Debian keeps them (no name or time
# stamp in the gzip header, so that builds are reproducible).
find_program(TW_GZIP gzip REQUIRED)
set(tw_gepackt)
foreach(tw_quelle tropfwerk.1 tropfwerk-rechner.1 changelog.Debian)
  set(tw_ziel ${CMAKE_BINARY_DIR}/packaging/${tw_quelle}.gz)
  add_custom_command(OUTPUT ${tw_ziel}
    COMMAND ${TW_GZIP} -9n -c ${CMAKE_SOURCE_DIR}/packaging/${tw_quelle} > ${tw_ziel}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${tw_quelle}
    VERBATIM)
  list(APPEND tw_gepackt ${tw_ziel})
endforeach()
add_custom_target(gepackte_dokumente ALL DEPENDS ${tw_gepackt})
install(FILES ${CMAKE_BINARY_DIR}/packaging/tropfwerk.1.gz
              ${CMAKE_BINARY_DIR}/packaging/tropfwerk-rechner.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz
              ${CMAKE_SOURCE_DIR}/packaging/copyright
        DESTINATION ${TW_DOKUORDNER})

# The help is compiled into the program; the copy of its pages can be read in any browser. The
# pages refer to the program's pictures as ../../bilder/. Both page folders use the same style
# sheet: the second one refers to the first.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/hilfe/ DESTINATION ${TW_DOKUORDNER}/hilfe
        FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.svg" PATTERN "*.png"
        REGEX "/information/hilfe\\.css$" EXCLUDE)
file(SHA256 ${CMAKE_SOURCE_DIR}/resources/hilfe/anwendung/hilfe.css tw_css_anwendung)
file(SHA256 ${CMAKE_SOURCE_DIR}/resources/hilfe/information/hilfe.css tw_css_information)
if(NOT tw_css_anwendung STREQUAL tw_css_information)
  message(FATAL_ERROR "Die beiden hilfe.css unterscheiden sich; die Installation verweist von "
                      "information/ auf anwendung/hilfe.css.")
endif()
install(CODE "
  file(CREATE_LINK ../anwendung/hilfe.css
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${TW_DOKUORDNER}/hilfe/information/hilfe.css\" SYMBOLIC)
")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/bilder/ DESTINATION ${TW_DOKUORDNER}/bilder
        FILES_MATCHING PATTERN "*.svg")
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tropfwerk-hilfe.doc-base
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc-base RENAME tropfwerk-hilfe)

# lintian's overrides for the Debian package, each with its reason.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tropfwerk.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tropfwerk)

# Where the data comes from in detail; the licences are in copyright.
install(FILES ${CMAKE_SOURCE_DIR}/data/SOURCES.md DESTINATION ${TW_DOKUORDNER})
