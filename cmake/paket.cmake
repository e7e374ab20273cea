# Debian package: `cpack -G DEB` in a release build folder packs what the installation rules
# install, under /usr, with the shared-library dependencies found by dpkg-shlibdeps.
# scripts/paket.sh builds it with Debian's hardening flags and checks it with lintian.
set(CPACK_PACKAGE_NAME "tropfwerk")
set(CPACK_PACKAGE_VENDOR "Brunnhuber & Kessler Softwarehaus GmbH")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
# The Debian revision; packaging/changelog.Debian has its entry.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# The synopsis comes first; the long description is one string with line breaks (a list would
# be joined with ";").
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cistern sizing for rainwater harvesting systems")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[Tropfwerk 2003 sizes the cistern of a rainwater harvesting system for a
house in Germany. From the site (postal code or map), the catchment areas,
the consumers, the filter efficiency and the loading coefficient it works
out yield, demand, storage volume and coverage, recommends matching
cisterns, simulates the fill level over many years and prints a one-page
report. The program and its help are in German.
.
The command-line calculator tropfwerk-rechner computes many saved
calculations at once for planners, as text, CSV or JSON.]])
set(CPACK_PACKAGE_CONTACT "Brunnhuber & Kessler Softwarehaus GmbH <info@tropfwerk.example.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tropfwerk.example.org")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Arial's metrics for the report, and Qt's own dialogs in German.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
