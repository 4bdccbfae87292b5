# The Debian package `make package` builds with CPack: ladderly_<version>_<arch>.deb holding the
# installation under /usr. Its library dependencies come from dpkg-shlibdeps; the fonts the
# dialogs name (Arial and Times New Roman, which fontconfig maps to the Liberation fonts, and
# DejaVu Sans for the icon) are named here, as no library asks for them. The Qt Multimedia
# backends come with libqt6multimedia6, which dpkg-shlibdeps finds; a sound server is only
# recommended, as the game runs silently without one.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ladderly)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the Ladderly developers")
set(CPACK_PACKAGE_CONTACT ${LADDERLY_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "word-ladder puzzles to solve and to design")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Ladderly is a word-ladder puzzle game and puzzle editor. A puzzle names a\n"
    "start word and an end word, and for every rung in between one of six steps:\n"
    "add, change, move or remove a letter, scramble the letters, or swap two of\n"
    "them. Fill in the rungs so that each one is a word and follows from the one\n"
    "above.\n"
    ".\n"
    "It comes with ${LADDERLY_PUZZLE_COUNT} puzzles of ${LADDERLY_MIN_ROWS} to "
    "${LADDERLY_MAX_ROWS} rows and a vocabulary\n"
    "of ${LADDERLY_WORD_COUNT} words from SCOWL. An edit mode designs puzzles of your own,\n"
    "with suggestions for every rung; ladderly-tool checks and solves puzzle\n"
    "files.")
# The installer writes the game folder's absolute path into its defaults, so the package is
# installed under its final prefix into a staging root.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Debian's games start from /usr/games.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/LadderlyDebianLayout.cmake)
set(CPACK_LADDERLY_BINDIR ${CMAKE_INSTALL_BINDIR})
include(CPack)
