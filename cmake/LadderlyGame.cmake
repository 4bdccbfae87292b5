# The game executable, its installation folder and its place on the desktop.
# `cmake --install <build> --prefix <prefix>` (DESTDIR is honoured) lays out, with the folders
# of GNUInstallDirs:
#   bin/ladderly                  a launcher that starts the game from its folder (the
#                                 Debian package has it in games/, as Debian's games do)
#   bin/ladderly-tool             a link to the designers' tool in the game folder (games/ too)
#   lib/ladderly/                 the self-contained game folder (LADDERLY_GAME_DIR):
#     ladderly, ladderly-tool     the program and the designers' tool
#     ladderly.px8                the image library, packed from assets/*.png
#     wav/                        the sound effects (data/wav/*.wav)
#     help/                       the help pages (help/*.html)
#     dat/                        every data/*.txt (vocabulary, puzzles, sound table, SCOWL's
#                                 notice) and sounds.dat, the sound table compiled by the build
#     defaults/                   the settings an installer would write: this folder as
#                                 "Directory", sound and splash screen on; the user's own
#                                 settings win over them
#   share/applications/           the desktop entry
#   share/icons/hicolor/          the icon, 48 to 256 pixels, drawn by the build
#   share/metainfo/               the AppStream metadata
#   share/man/man6, man1          the manual pages of ladderly and ladderly-tool, compressed
#   share/doc/ladderly/           copyright (the licences) and changelog.gz
# The game never writes into this installation when it is not the user's to write: see
# UserDataFolder in src/app/InitGame.h.

set(LADDERLY_APP_ID com.tarnsoftware.Ladderly)
set(LADDERLY_SCREENSHOT_URL "https://ladderly.example.org/screenshots" CACHE STRING
    "Where docs/screenshot.png and desktop/screenshots/about.png are published")

add_executable(ladderly src/app/main.cpp)
target_link_libraries(ladderly PRIVATE ladderly_app_qt ladderly_dialogs)
ladderly_warnings(ladderly)

install(TARGETS ladderly RUNTIME DESTINATION ${LADDERLY_GAME_DIR})

file(GLOB LADDERLY_DATA_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*.txt)
install(FILES ${LADDERLY_DATA_FILES} DESTINATION ${LADDERLY_GAME_DIR}/dat)

# The sound table compiled as the game reads it, so a read-only installation has it ready.
set(LADDERLY_SOUND_TABLE ${CMAKE_BINARY_DIR}/dat/sounds.dat)
add_custom_command(OUTPUT ${LADDERLY_SOUND_TABLE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dat
    COMMAND ladderly-tool sounds ${PROJECT_SOURCE_DIR}/data/sounds.txt ${LADDERLY_SOUND_TABLE}
    DEPENDS ladderly-tool ${PROJECT_SOURCE_DIR}/data/sounds.txt
    COMMENT "Compiling data/sounds.txt into sounds.dat"
    VERBATIM)
add_custom_target(ladderly_sound_table ALL DEPENDS ${LADDERLY_SOUND_TABLE})
install(FILES ${LADDERLY_SOUND_TABLE} DESTINATION ${LADDERLY_GAME_DIR}/dat)

file(GLOB LADDERLY_WAVE_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/wav/*.wav)
install(FILES ${LADDERLY_WAVE_FILES} DESTINATION ${LADDERLY_GAME_DIR}/wav)
install(DIRECTORY DESTINATION ${LADDERLY_GAME_DIR}/wav)

# The pictures in assets/ (drawn by make pictures, or replaced by an artist) packed into the
# image library; each picture is named after its file. Building the game packs it.
file(GLOB LADDERLY_PICTURES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/*.png)
list(SORT LADDERLY_PICTURES)
set(LADDERLY_IMAGE_LIBRARY ${CMAKE_BINARY_DIR}/ladderly.px8)
add_custom_command(OUTPUT ${LADDERLY_IMAGE_LIBRARY}
    COMMAND ladderly-tool px8 pack ${LADDERLY_IMAGE_LIBRARY} ${LADDERLY_PICTURES}
    DEPENDS ladderly-tool ${LADDERLY_PICTURES}
    COMMENT "Packing assets/*.png into ladderly.px8"
    VERBATIM)
add_custom_target(ladderly_px8 ALL DEPENDS ${LADDERLY_IMAGE_LIBRARY})
add_dependencies(ladderly ladderly_px8)
install(FILES ${LADDERLY_IMAGE_LIBRARY} DESTINATION ${LADDERLY_GAME_DIR})

# The help pages F1 and F2 and the About box's link open.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${LADDERLY_GAME_DIR}/help)

install(CODE "set(LADDERLY_GAME_DIR \"${LADDERLY_GAME_DIR}\")")
install(CODE [[
    set(folder "${CMAKE_INSTALL_PREFIX}/${LADDERLY_GAME_DIR}")
    string(REPLACE "\\" "\\\\" folder "${folder}")
    string(REPLACE "\"" "\\\"" folder "${folder}")
    file(WRITE "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${LADDERLY_GAME_DIR}/defaults/Tarn Software/Ladderly.conf"
         "[General]\nDirectory=\"${folder}\"\nEnable%20sound=1\nSplashScreen=1\n")
]])

# The launcher finds the game folder relative to itself, so the installation can move.
file(RELATIVE_PATH LADDERLY_GAME_FROM_BIN /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${LADDERLY_GAME_DIR})
configure_file(${PROJECT_SOURCE_DIR}/desktop/ladderly.in ${CMAKE_BINARY_DIR}/desktop/ladderly
               @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/desktop/ladderly DESTINATION ${CMAKE_INSTALL_BINDIR})
# ladderly-tool needs nothing of its folder, so a relative link puts it on the PATH.
file(RELATIVE_PATH LADDERLY_TOOL_FROM_BIN /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${LADDERLY_GAME_DIR}/ladderly-tool)
file(CREATE_LINK ${LADDERLY_TOOL_FROM_BIN} ${CMAKE_BINARY_DIR}/desktop/ladderly-tool SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/desktop/ladderly-tool DESTINATION ${CMAKE_INSTALL_BINDIR})

# The metadata describes the collection we ship, counted from the data files whenever they change.
include(cmake/LadderlyContent.cmake)
ladderly_count_content(${PROJECT_SOURCE_DIR}/data)
set(LADDERLY_METAINFO ${CMAKE_BINARY_DIR}/desktop/${LADDERLY_APP_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/desktop/${LADDERLY_APP_ID}.metainfo.xml.in
               ${LADDERLY_METAINFO} @ONLY)
install(FILES ${LADDERLY_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/desktop/${LADDERLY_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

set(LADDERLY_ICON_SIZES 48 64 96 128 256)
set(LADDERLY_ICONS "")
foreach(size IN LISTS LADDERLY_ICON_SIZES)
    list(APPEND LADDERLY_ICONS ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps/${LADDERLY_APP_ID}.png)
endforeach()
add_custom_command(
    OUTPUT ${LADDERLY_ICONS}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:ladderly-icons> ${CMAKE_BINARY_DIR}/icons ${LADDERLY_APP_ID}
            ${LADDERLY_ICON_SIZES}
    DEPENDS ladderly-icons
    COMMENT "Drawing the desktop icons")
add_custom_target(ladderly_icons ALL DEPENDS ${LADDERLY_ICONS})
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# The manual pages and the changelog, dated and numbered as this release, compressed as Debian
# ships them; the copyright file holds Ladderly's licence and SCOWL's notice.
execute_process(COMMAND date -u -R -d ${LADDERLY_RELEASE_DATE}
                OUTPUT_VARIABLE LADDERLY_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
set(LADDERLY_MAINTAINER "Ladderly developers <developers@ladderly.example.org>" CACHE STRING
    "Who maintains the Debian package, as \"Name <address>\"")
# The copyright file carries the licence of LICENSE, less its title and copyright line, in
# Debian's format: each line indented, an empty line written as ".".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE LADDERLY_MIT_TEXT)
string(REGEX REPLACE "^MIT License\n+Copyright[^\n]*\n+" "" LADDERLY_MIT_TEXT
       "${LADDERLY_MIT_TEXT}")
string(REGEX REPLACE "\n+$" "" LADDERLY_MIT_TEXT "${LADDERLY_MIT_TEXT}")
string(REPLACE "\n\n" "\n.\n" LADDERLY_MIT_TEXT "${LADDERLY_MIT_TEXT}")
string(REPLACE "\n" "\n " LADDERLY_MIT_TEXT " ${LADDERLY_MIT_TEXT}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${CMAKE_BINARY_DIR}/packaging/copyright
               @ONLY)
set(LADDERLY_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/ladderly)
set(LADDERLY_COMPRESSED_DOCS "")
foreach(doc IN ITEMS man/ladderly.6 man/ladderly-tool.1 packaging/changelog)
    configure_file(${PROJECT_SOURCE_DIR}/${doc}.in ${CMAKE_BINARY_DIR}/${doc} @ONLY)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${doc}.gz
        COMMAND sh -c "gzip -9 -n -c \"$1\" > \"$1.gz\"" sh ${CMAKE_BINARY_DIR}/${doc}
        DEPENDS ${CMAKE_BINARY_DIR}/${doc}
        VERBATIM)
    list(APPEND LADDERLY_COMPRESSED_DOCS ${CMAKE_BINARY_DIR}/${doc}.gz)
endforeach()
add_custom_target(ladderly_docs ALL DEPENDS ${LADDERLY_COMPRESSED_DOCS})
install(FILES ${CMAKE_BINARY_DIR}/man/ladderly.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/man/ladderly-tool.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${CMAKE_BINARY_DIR}/packaging/copyright
        DESTINATION ${LADDERLY_DOC_DIR})

# Everything `cmake --install` copies, and nothing else: `make stage` and `make run` build this
# target on a fresh clone, so whatever joins the installation must join it here too.
add_custom_target(ladderly_installation)
add_dependencies(ladderly_installation ladderly ladderly-tool ladderly_px8 ladderly_icons
                 ladderly_sound_table ladderly_docs)
