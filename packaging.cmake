# SPDX-License-Identifier: MIT
# The Debian package, made by `cpack` (scripts/package.sh) from the install rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlix)
set(CPACK_PACKAGE_VENDOR Tolvex)
set(CPACK_PACKAGE_CONTACT "Tolvex <vorlix@example.com>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cache folder cleaner for the desktop")
set(CPACK_PACKAGE_DESCRIPTION "Vorlix is a one-window desktop utility that empties cache folders: the
browser cache folders that it finds at start-up and up to six folders of the
user's own, one per button. It deletes their files for good or into the trash,
one folder at a time or all selected folders in one run, and reports how many
bytes of disk space that regained. It can also clear the browser's list of
typed addresses and its history folder.

Hidden files and subfolders are never touched. Settings live in a small
registry-like store that the command vorlix-reg reads and edits; the command
vorlix-clean cleans the same folders from a terminal, a script or a timer.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VORLIX_PACKAGE_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.com/tolvex/")
# Libraries come from dpkg-shlibdeps; the toolkit's display plugins and the
# MIME database that opening files by type needs are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, shared-mime-info")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "adwaita-icon-theme")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
