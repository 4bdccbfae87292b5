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

# The layers of src/, lowest first: a library sees only its own layer and those before it.
set(LADDERLY_LAYERS platform base core graphics framework sound screens app)

# The include root of a library in src/LAYER: a folder of links to src/LAYER and the layers
# below it, so an upward include ("core/..." from base) fails to compile. A library outside
# src/ (the tools, the test fakes) sees all of src/.
function(ladderly_include_root out_var folder)
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR}/src ${folder})
    string(REGEX MATCH "^[^/.]+" layer "${relative}")
    list(FIND LADDERLY_LAYERS "${layer}" rank)
    if(rank LESS 0)
        set(${out_var} ${PROJECT_SOURCE_DIR}/src PARENT_SCOPE)
        return()
    endif()
    set(root ${CMAKE_BINARY_DIR}/layers/${layer})
    foreach(index RANGE ${rank})
        list(GET LADDERLY_LAYERS ${index} below)
        if(NOT EXISTS ${root}/${below})
            file(MAKE_DIRECTORY ${root})
            file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${below} ${root}/${below} SYMBOLIC)
        endif()
    endforeach()
    set(${out_var} ${root} PARENT_SCOPE)
endfunction()

# ladderly_library(NAME SOURCES... [LIBS ...]): a static library of the project's own code,
# with the include root of its layer (and the generated headers, such as base/LadderlyVersion.h).
function(ladderly_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    ladderly_include_root(root ${CMAKE_CURRENT_SOURCE_DIR})
    target_include_directories(${name} PUBLIC ${root} ${CMAKE_BINARY_DIR}/generated)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    ladderly_warnings(${name})
endfunction()

# ladderly_test(NAME SOURCES... [LIBS ...]): a GoogleTest executable registered with CTest.
# Every test runs offscreen with its own settings folders, so nothing reaches the user's files.
function(ladderly_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    # A test stands outside the layers: it may read any header of src/.
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
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
