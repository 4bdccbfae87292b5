# The game executable and its installation folder. `cmake --install <build> --prefix <folder>`
# lays out a self-contained installation:
#   ladderly              the program
#   ladderly.px8          the image library, once data/ladderly.px8 exists
#   wav/                  the sound effects (data/wav/*.wav)
#   dat/                  every data/*.txt: vocabulary, puzzles and sound table
#   defaults/             the settings an installer would write: this folder as "Directory",
#                         sound and splash screen on; the user's own settings win over them

add_executable(ladderly src/app/main.cpp)
target_link_libraries(ladderly PRIVATE ladderly_app_qt)
ladderly_warnings(ladderly)

install(TARGETS ladderly RUNTIME DESTINATION .)

file(GLOB LADDERLY_DATA_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*.txt)
install(FILES ${LADDERLY_DATA_FILES} DESTINATION dat)

file(GLOB LADDERLY_WAVE_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/wav/*.wav)
install(FILES ${LADDERLY_WAVE_FILES} DESTINATION wav)
install(DIRECTORY DESTINATION wav)

if(EXISTS ${PROJECT_SOURCE_DIR}/data/ladderly.px8)
    install(FILES ${PROJECT_SOURCE_DIR}/data/ladderly.px8 DESTINATION .)
endif()

install(CODE [[
    set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
    string(REPLACE "\\" "\\\\" folder "${CMAKE_INSTALL_PREFIX}")
    string(REPLACE "\"" "\\\"" folder "${folder}")
    file(WRITE "${root}/defaults/Tarn Software/Ladderly.conf"
         "[General]\nDirectory=\"${folder}\"\nEnable%20sound=1\nSplashScreen=1\n")
]])
