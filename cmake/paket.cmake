# Debian package: `cpack -G DEB` in a release build folder packs what the installation rules
# install, under /usr, with the shared-library dependencies found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME "tropfwerk")
set(CPACK_PACKAGE_VENDOR "Brunnhuber & Kessler Softwarehaus GmbH")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Zisternenberechnung für Regenwassernutzungsanlagen")
set(CPACK_PACKAGE_DESCRIPTION
    "Tropfwerk 2003 berechnet die Zisterne einer Regenwassernutzungsanlage für ein Haus in\n"
    "Deutschland, empfiehlt passende Zisternen, simuliert den Füllstand und druckt eine\n"
    "Auswertung. Mit dem Rechner tropfwerk-rechner für Planer.")
set(CPACK_PACKAGE_CONTACT "Brunnhuber & Kessler Softwarehaus GmbH <info@tropfwerk.example.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tropfwerk.example.org")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Arial's metrics for the report, and Qt's own dialogs in German.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
