# A Debian package of the installed quiz: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME bitki)
set(CPACK_PACKAGE_VENDOR "${BITKI_PUBLISHER}")
set(CPACK_PACKAGE_CONTACT "${BITKI_PUBLISHER} <bitki@bitki.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "History quiz on significant battles of Bulgarian history")
# Debian's description lines are at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "A one-window quiz for history lessons with a Bulgarian interface:
match ten significant battles of Bulgarian history with their commanders.
It reads no files, keeps no settings and never uses the network.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${BITKI_HOMEPAGE}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The face the window is designed for, or its metric twin; shlibdeps adds the libraries.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")

include(CPack)
