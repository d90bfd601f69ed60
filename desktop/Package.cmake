# The Debian package. `cmake --build build --target package` makes
# varnobel-viewer_<project version>-<revision>_<architecture>.deb of what `cmake --install` puts
# in place, under /usr, and adds the Debian changelog beside the licence. Included by
# desktop/CMakeLists.txt after the install rules.
#
# The package has no maintainer scripts: the triggers of shared-mime-info, desktop-file-utils and
# hicolor-icon-theme refresh the file-type, menu and icon caches when its files come and go.

set(VARNOBEL_DEBIAN_REVISION 1)
set(VARNOBEL_PACKAGE_MAINTAINER "Varnobel Limited <support@varnobel.com>"
    CACHE STRING "Maintainer field of the Debian package")

# The changelog names the version it describes; a package whose changelog does not describe it
# is refused when it is made (lintian and apt's changelog view would show the wrong release).
set(VARNOBEL_DEBIAN_CHANGELOG ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VARNOBEL_DEBIAN_CHANGELOG})
file(STRINGS ${VARNOBEL_DEBIAN_CHANGELOG} newest_entry LIMIT_COUNT 1)
set(package_version ${PROJECT_VERSION}-${VARNOBEL_DEBIAN_REVISION})
set(VARNOBEL_CHANGELOG_MISMATCH "")
if(NOT newest_entry MATCHES "^varnobel-viewer \\(([^)]+)\\) ")
  set(VARNOBEL_CHANGELOG_MISMATCH
      "the first line of ${VARNOBEL_DEBIAN_CHANGELOG} is not a changelog entry's heading")
elseif(NOT CMAKE_MATCH_1 STREQUAL package_version)
  string(CONCAT VARNOBEL_CHANGELOG_MISMATCH
         "the newest entry of ${VARNOBEL_DEBIAN_CHANGELOG} is ${CMAKE_MATCH_1}, the package is "
         "${package_version}: add an entry for it")
endif()
if(VARNOBEL_CHANGELOG_MISMATCH)
  message(WARNING "Debian package: ${VARNOBEL_CHANGELOG_MISMATCH}")
endif()

set(VARNOBEL_CHANGELOG_GZ ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog.Debian.gz)
if(VARNOBEL_GZIP)
  add_custom_command(
    OUTPUT ${VARNOBEL_CHANGELOG_GZ}
    COMMAND ${CMAKE_COMMAND} -DGZIP=${VARNOBEL_GZIP} -DINPUT=${VARNOBEL_DEBIAN_CHANGELOG}
            -DOUTPUT=${VARNOBEL_CHANGELOG_GZ} -P ${CMAKE_CURRENT_SOURCE_DIR}/Compress.cmake
    DEPENDS ${VARNOBEL_DEBIAN_CHANGELOG} Compress.cmake
    VERBATIM)
  add_custom_target(varnobel-debian-changelog ALL DEPENDS ${VARNOBEL_CHANGELOG_GZ})
endif()

# What only the package carries is its own install component, left out of `cmake --install`.
# Before placing it, the package checks that it is whole.
set(package_incomplete "")
if(NOT TARGET varnobel-view-manpage)
  set(package_incomplete "the manual page was not made; install help2man (Debian package "
                         "help2man) and configure again")
elseif(VARNOBEL_CHANGELOG_MISMATCH)
  set(package_incomplete "${VARNOBEL_CHANGELOG_MISMATCH}")
endif()
if(package_incomplete)
  string(JOIN "" package_incomplete ${package_incomplete})
  install(CODE "message(FATAL_ERROR \"Debian package: ${package_incomplete}\")"
          COMPONENT debian EXCLUDE_FROM_ALL)
endif()
install(FILES ${VARNOBEL_CHANGELOG_GZ} DESTINATION ${VARNOBEL_DOCDIR}
        COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnobel-viewer)
set(CPACK_PACKAGE_VENDOR "Varnobel Limited")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VARNOBEL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for cash-flow forecast files")
# The control file takes the paragraph's lines as they are: keep them within 80 columns.
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Varnobel Viewer opens cash-flow forecast files (.cfb, .cfs, .cfa and .cff),"
  "recalculates the whole forecast month by month (income, costs, expenses,"
  "interest, capital movements, sales tax, bank balances, loans and"
  "investments, weighed over companies and scenarios) and shows it as the"
  "cash-flow statement of its Basic, Standard or Advanced edition, with graphs,"
  "printing and print preview. Without a display it exports a forecast as JSON,"
  "CSV, a spreadsheet (xlsx), PNG or PDF. It only reads: it never changes a"
  "forecast file.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VARNOBEL_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_SECTION non-free/misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: the libraries the program links, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The statement's default face, Times New Roman, is drawn in Liberation Serif, which has its
# metrics; the splash and the About box write the version in Dancing Script. Without them the
# viewer works, in other faces.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, fonts-dancingscript")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Stage with DESTDIR, so the install leaves the desktop's caches alone: their files belong to
# other packages and are refreshed by their triggers on the target system.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
# Stripped whatever the build type; the program keeps its build id.
set(CPACK_STRIP_FILES ON)
# Everything `cmake --install` places (the rules that name no component), then the package's
# own. Installing by component also keeps the staging out of install_manifest.txt, the list of a
# real install that the uninstall target goes by.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};Unspecified;/"
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};debian;/")
include(CPack)
