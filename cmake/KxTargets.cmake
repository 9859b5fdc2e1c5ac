# Helpers shared by every folder's CMakeLists.txt.

# kx_add_subdirectories(): add every direct subfolder that has a CMakeLists.txt.
# Lets a new area (tests/<area>, dialogs/<subsystem>) appear without editing a
# shared list.
function(kx_add_subdirectories)
    file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT children)
    foreach(child IN LISTS children)
        if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
           AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
            add_subdirectory(${child})
        endif()
    endforeach()
endfunction()

# kx_add_gtest(NAME <name> SOURCES <files...> LIBS <libs...> [LABELS <labels...>]
#              [TIMEOUT <seconds>] [ENV <VAR=value...>] [SERIAL] [SHARDS <n>])
# SHARDS: the suite's tests are split over n CTest tests (GoogleTest's own
# sharding), <name>_0 ... <name>_<n-1>, so that CTest runs them side by side.
# SERIAL: the test measures time-outs and must not share the machine's two cores
# with another test.
# One GoogleTest executable registered as one CTest test.  Widget tests get the
# offscreen platform; every test gets a private HOME so nothing of the user's
# desktop leaks in.
function(kx_add_gtest)
    cmake_parse_arguments(T "SERIAL" "NAME;TIMEOUT;SHARDS" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
    # The widget suites' shared main part is compiled once (tests/support).
    list(TRANSFORM T_SOURCES REPLACE "^.*QtTestMain\\.cpp$" "$<TARGET_OBJECTS:kx_qttestmain>")
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    # Test bodies are large macro expansions that the optimizer spends most of the
    # build on; the code under test is compiled with the build's own flags.
    target_compile_options(${T_NAME} PRIVATE -O0 -g1)
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set(tests ${T_NAME})
    set(shard_env "")
    if(T_SHARDS)
        set(tests "")
        math(EXPR last "${T_SHARDS} - 1")
        foreach(i RANGE ${last})
            list(APPEND tests ${T_NAME}_${i})
        endforeach()
    endif()
    set(index 0)
    foreach(test IN LISTS tests)
        add_test(NAME ${test} COMMAND ${T_NAME})
        if(T_SHARDS)
            set(shard_env "GTEST_TOTAL_SHARDS=${T_SHARDS};GTEST_SHARD_INDEX=${index}")
            math(EXPR index "${index} + 1")
        endif()
        set_tests_properties(${test} PROPERTIES
            TIMEOUT ${T_TIMEOUT}
            LABELS "${T_LABELS}"
            RUN_SERIAL ${T_SERIAL}
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KX_BIN_DIR=${CMAKE_BINARY_DIR}/bin;KX_SOURCE_DIR=${CMAKE_SOURCE_DIR};LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0;${shard_env};${T_ENV}")
    endforeach()
endfunction()

# kx_add_fuzzer(NAME <name> SOURCES <files...> LIBS <libs...> [SEEDS <dir>] [SECONDS <n>])
# A libFuzzer target (LLVMFuzzerTestOneInput). With KX_FUZZ (clang) it is a real
# fuzzer and its CTest test fuzzes for SECONDS (default 30) from the seeds; without
# it, the same source is linked with a replay driver and the test replays the seeds,
# so every build keeps the target compiling and its seeds passing.
function(kx_add_fuzzer)
    cmake_parse_arguments(F "" "NAME;SEEDS;SECONDS" "SOURCES;LIBS" ${ARGN})
    if(NOT F_SECONDS)
        set(F_SECONDS 30)
    endif()
    if(NOT F_SEEDS)
        set(F_SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/${F_NAME})
    endif()
    if(KX_FUZZ)
        add_executable(${F_NAME} ${F_SOURCES})
        target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
        target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
        set(work ${CMAKE_CURRENT_BINARY_DIR}/${F_NAME}.corpus)
        file(MAKE_DIRECTORY ${work})
        add_test(NAME ${F_NAME} COMMAND ${F_NAME} -max_total_time=${F_SECONDS}
                 -rss_limit_mb=2048 -timeout=10 ${work} ${F_SEEDS})
        set_tests_properties(${F_NAME} PROPERTIES LABELS "fuzz" TIMEOUT 600)
    else()
        add_executable(${F_NAME} ${F_SOURCES} ${CMAKE_SOURCE_DIR}/tests/support/FuzzReplayMain.cpp)
        add_test(NAME ${F_NAME} COMMAND ${F_NAME} ${F_SEEDS})
        set_tests_properties(${F_NAME} PROPERTIES LABELS "fuzz-replay" TIMEOUT 120)
    endif()
    target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
    set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    set_property(TEST ${F_NAME} APPEND PROPERTY ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0")
endfunction()
