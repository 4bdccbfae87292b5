# Run by CPack on the staged package: moves the game's launcher and the link to ladderly-tool
# from bin/ to games/, where Debian's policy wants the programs of a game. Both folders lie one
# level below the prefix, so the relative paths to the game folder hold from either.
set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
file(MAKE_DIRECTORY "${usr}/games")
foreach(program IN ITEMS ladderly ladderly-tool)
    if(NOT EXISTS "${usr}/${CPACK_LADDERLY_BINDIR}/${program}")
        message(FATAL_ERROR "No ${program} in ${usr}/${CPACK_LADDERLY_BINDIR}")
    endif()
    file(RENAME "${usr}/${CPACK_LADDERLY_BINDIR}/${program}" "${usr}/games/${program}")
endforeach()
file(GLOB left "${usr}/${CPACK_LADDERLY_BINDIR}/*")
if(NOT left)
    file(REMOVE_RECURSE "${usr}/${CPACK_LADDERLY_BINDIR}")
endif()
