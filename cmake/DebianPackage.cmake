# The Debian package: `cpack -G DEB` in the build folder packs what `cmake --install` installs,
# under /usr. dpkg-shlibdeps declares the libraries the binaries link; Qt loads its platform
# plugins at run time, so the package that holds them is named here.
set(TIMER_PACKAGE_MAINTAINER "Programmable Timer developers <timer@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME tavrel-timer)
set(CPACK_PACKAGE_VENDOR "Programmable Timer developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor and optical programmer for a programmable timer")
# Lines under 80 characters, as Debian asks.
set(CPACK_PACKAGE_DESCRIPTION
    "Edits timer programs for a small programmable timer device, saves and loads
them as .tvr files, and sends them to the device optically by flashing two
panes on the screen. Includes tvrtool, a command-line companion that
summarises, checks and encodes timer files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TIMER_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TIMER_BUILD_GUI)
    # Qt's own dialogs and buttons speak the user's language from Qt's catalogues; qt6-wayland
    # is the platform plugin the programming dialog's Wayland frame clock runs on.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-wayland, qt6-translations-l10n")
    if(TIMER_USES_QT_PRIVATE_API)
        # The Wayland frame clock reaches the display through Qt's private API, which only the
        # very Qt it was built against keeps: Debian's libqt6core6 provides qt6-base-abi for it.
        string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-base-abi (= ${Qt6Core_VERSION})")
    endif()
endif()

# Debian wants the licence in machine-readable form and a changelog (compressed, without a time
# stamp in the gzip header) in the package's documentation folder. The version is the project's
# and has no Debian revision: we are upstream and packager, so the package is native and its
# changelog is changelog.gz.
configure_file(${PROJECT_SOURCE_DIR}/res/debian/changelog ${CMAKE_BINARY_DIR}/debian/changelog
               @ONLY)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.gz
    COMMAND ${TIMER_GZIP} -9nkf ${CMAKE_BINARY_DIR}/debian/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog
    VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/res/debian/copyright ${CMAKE_BINARY_DIR}/debian/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})

include(CPack)
