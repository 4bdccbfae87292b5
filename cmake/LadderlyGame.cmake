# The game executable and its installation folder. `cmake --install <build> --prefix <folder>`
# lays out a self-contained installation:
#   ladderly              the program
#   ladderly.px8          the image library, packed from assets/*.png
#   wav/                  the sound effects (data/wav/*.wav)
#   dat/                  every data/*.txt: vocabulary, puzzles and sound table
#   help/                 the help pages (help/*.html)
#   defaults/             the settings an installer would write: this folder as "Directory",
#                         sound and splash screen on; the user's own settings win over them

add_executable(ladderly src/app/main.cpp)
target_link_libraries(ladderly PRIVATE ladderly_app_qt)
ladderly_warnings(ladderly)

install(TARGETS ladderly RUNTIME DESTINATION .)

file(GLOB LADDERLY_DATA_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*.txt)
install(FILES ${LADDERLY_DATA_FILES} DESTINATION dat)

file(GLOB LADDERLY_HELP_PAGES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/help/*.html)
install(FILES ${LADDERLY_HELP_PAGES} DESTINATION help)

file(GLOB LADDERLY_WAVE_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/wav/*.wav)
install(FILES ${LADDERLY_WAVE_FILES} DESTINATION wav)
install(DIRECTORY DESTINATION wav)

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
install(FILES ${LADDERLY_IMAGE_LIBRARY} DESTINATION .)

install(CODE [[
    set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
    string(REPLACE "\\" "\\\\" folder "${CMAKE_INSTALL_PREFIX}")
    string(REPLACE "\"" "\\\"" folder "${folder}")
    file(WRITE "${root}/defaults/Tarn Software/Ladderly.conf"
         "[General]\nDirectory=\"${folder}\"\nEnable%20sound=1\nSplashScreen=1\n")
]])
