# The Debian package: `cpack` in a release build folder writes
# orvexp_<version>_<arch>.deb with the program, its menu entry and icon, and
# the sample data folder under /usr/share/orvexp/sample/.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvexp)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "orvexp developers")
set(CPACK_PACKAGE_CONTACT "orvexp developers <orvexp@orvexp.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Reads the data folder of Orvanel, a Japanese personal calendar and scheduler
(schedule.dat, the Memo folder and the holiday, special-day and day-off files),
and exports the schedules and memos of a date range as CSV, as one HTML page or
as an iCalendar file for calendar programs. A four-page wizard (Qt 6) and a
command line for batch use.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# Qt's Japanese translations for Qt's own dialogs, the font that stands in for
# "ＭＳ Ｐゴシック" and xdg-open for opening an exported page; the libraries the
# program links (Qt's widgets, libical) come from dpkg-shlibdeps where it is
# installed, and are named here only where it is not, so none is listed twice.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-ipafont-gothic, xdg-utils")
find_program(ORVEXP_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ORVEXP_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libqt6widgets6, libical3")
endif()

# The calendar-sync recipe in the documentation runs vdirsyncer.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "vdirsyncer")

include(CPack)
