# The Debian package (scripts/build-deb.sh): `cpack -G DEB` in a Release build installs what
# `cmake --install` installs under /usr, with dependencies found by dpkg-shlibdeps.
install(FILES packaging/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/plandor)
set(DEB_CHANGELOG ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
add_custom_command(OUTPUT ${DEB_CHANGELOG}
                   COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/packaging/debian/changelog > ${DEB_CHANGELOG}
                   DEPENDS ${CMAKE_SOURCE_DIR}/packaging/debian/changelog)
add_custom_target(deb_changelog ALL DEPENDS ${DEB_CHANGELOG})
install(FILES ${DEB_CHANGELOG} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/plandor)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plandor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Plandor maintainers <maintainers@users.noreply.c-seed-de50aa84.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "planner for model-railway layouts from sectional track")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Plandor plans model-railway layouts from the sectional track of four track\nsystems. Drag pieces onto a plan where their connectors snap and join; build\ngrades, levels, helices and tunnels; and count the pieces into a shopping list.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
