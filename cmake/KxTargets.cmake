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
#              [TIMEOUT <seconds>] [ENV <VAR=value...>])
# One GoogleTest executable registered as one CTest test.  Widget tests get the
# offscreen platform; every test gets a private HOME so nothing of the user's
# desktop leaks in.
function(kx_add_gtest)
    cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${T_NAME} PROPERTIES
        TIMEOUT ${T_TIMEOUT}
        LABELS "${T_LABELS}"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KX_BIN_DIR=${CMAKE_BINARY_DIR}/bin;KX_SOURCE_DIR=${CMAKE_SOURCE_DIR};${T_ENV}")
endfunction()
