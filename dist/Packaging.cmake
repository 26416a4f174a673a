# The Debian package (CPack's DEB generator): `tools/package-deb.sh` builds it from the default
# build and checks it with lintian. Its dependencies are those of the programs' shared libraries
# (dpkg-shlibdeps), so that apt installs exactly the Qt, shapelib and libical it needs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ondrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ondrel")
set(CPACK_PACKAGE_CONTACT "Ondrel developers <contact@ondrel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tide predictions for sailors")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://ondrel.org")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The help viewer reads its collection through Qt's SQLite driver, which no library links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6sql6-sqlite)
# The first line of the package's description is the summary above; CPack indents these lines
# and turns the empty one into a paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Ondrel predicts the tide at more than six thousand ports around the world:
the times and heights of the day's high and low waters, the tide
coefficients and the water-height curve, in French or English, metres or
feet, in the time reference you choose. Tide tables, the sun and the moon,
secondary ports from an almanac's corrections, and a command-line companion
(ondrel-cli) for scripts.

The predictions are checked by no hydrographic office and do not replace the
official nautical publications.")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
