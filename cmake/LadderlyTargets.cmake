# Helpers shared by every folder of the build.

# Adds every direct sub-folder of DIR that has a CMakeLists.txt, in name order, so a subsystem
# joins the build by adding its own folder. Folders named after EXCLUDE are left out.
function(ladderly_add_subdirectories dir)
    cmake_parse_arguments(ARG "" "" "EXCLUDE" ${ARGN})
    file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}/${dir} ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*)
    list(SORT children)
    foreach(child IN LISTS children)
        if(child IN_LIST ARG_EXCLUDE)
            continue()
        endif()
        if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/${child}/CMakeLists.txt)
            add_subdirectory(${dir}/${child})
        endif()
    endforeach()
endfunction()

# Strict warnings for the project's own targets; errors with LADDERLY_WERROR (the Makefile and CI
# turn it on, so a packager's newer compiler does not break the build over a new warning).
function(ladderly_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion -Wnon-virtual-dtor)
    if(LADDERLY_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    # GCC 12 at -O3 (Release) warns falsely inside std::string and std::vector copies.
    target_compile_options(${target} PRIVATE
        $<$<AND:$<CXX_COMPILER_ID:GNU>,$<CONFIG:Release>>:-Wno-restrict -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread>)
endfunction()

# ladderly_library(NAME SOURCES... [LIBS ...]): a static library of the project's own code,
# with src/ as its include root (and the generated headers, such as base/LadderlyVersion.h).
function(ladderly_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src
                                              ${CMAKE_BINARY_DIR}/generated)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    ladderly_warnings(${name})
endfunction()

# ladderly_test(NAME SOURCES... [LIBS ...]): a GoogleTest executable registered with CTest.
# Every test runs offscreen with its own settings folders, so nothing reaches the user's files.
function(ladderly_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    ladderly_warnings(${name})
    set(home ${CMAKE_BINARY_DIR}/test-home/${name})
    file(MAKE_DIRECTORY ${home}/config ${home}/xdg ${home}/run)
    file(CHMOD ${home}/run DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
    # gtest_discover_tests passes only the first entry of a list property on to the tests, so
    # the whole environment is set by a script CTest runs after the discovered tests are added.
    set(environment "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${home}/config;XDG_CONFIG_DIRS=${home}/xdg;XDG_RUNTIME_DIR=${home}/run;LADDERLY_SOURCE_DIR=${PROJECT_SOURCE_DIR};LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan-suppressions.txt")
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
    file(WRITE ${script} "if(${name}_TESTS)\n"
                         "    set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT \"${environment}\")\n"
                         "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()

# ladderly_benchmark(NAME SOURCES... [LIBS ...]): a Google Benchmark executable (run by make bench).
function(ladderly_benchmark name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
    ladderly_warnings(${name})
    set_property(GLOBAL APPEND PROPERTY LADDERLY_BENCHMARKS ${name})
endfunction()

# ladderly_fuzzer(NAME SOURCES... [LIBS ...]): a libFuzzer target (built by make fuzz with clang).
# A corpus folder fuzz/corpus/NAME, when present, seeds it.
function(ladderly_fuzzer name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    ladderly_warnings(${name})
    set_property(GLOBAL APPEND PROPERTY LADDERLY_FUZZERS ${name})
endfunction()

# Writes the paths of the benchmark and fuzz executables to benchmarks.txt and fuzzers.txt in
# the build folder, for the Makefile to run.
function(ladderly_write_target_lists)
    foreach(kind BENCHMARKS FUZZERS)
        get_property(targets GLOBAL PROPERTY LADDERLY_${kind})
        set(lines "")
        foreach(target IN LISTS targets)
            string(APPEND lines "$<TARGET_FILE:${target}>\n")
        endforeach()
        string(TOLOWER ${kind} file)
        file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/${file}.txt CONTENT "${lines}")
    endforeach()
endfunction()
