# Shared helpers for the per-folder CMake files.

# One static library per source folder, named qm_<folder>, built from every
# .cpp in it. A folder with no sources yet gets an empty translation unit so
# that every library always exists and can be linked.
function(quillmere_library name)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        set(empty ${CMAKE_CURRENT_BINARY_DIR}/empty_${name}.cpp)
        if(NOT EXISTS ${empty})
            file(WRITE ${empty} "// no sources yet\n")
        endif()
        set(sources ${empty})
    endif()
    add_library(qm_${name} STATIC ${sources})
    target_include_directories(qm_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(qm_${name} PUBLIC ${ARGN})
endfunction()

# The subsystem libraries depend one way, from the frame down to the
# platform (each folder's CMakeLists names the ones below it), so linking the
# frame's library brings in the rest in order.
function(quillmere_link_game target)
    target_link_libraries(${target} PRIVATE qm_app)
endfunction()

# A GoogleTest executable per test folder, built from every .cpp in it.
# Extra libraries (tool libraries, say) may follow the folder name.
function(quillmere_tests folder)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    set(target test_${folder})
    add_executable(${target} ${sources})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    get_property(tool_libs GLOBAL PROPERTY QUILLMERE_TOOL_LIBS)
    target_link_libraries(${target} PRIVATE ${ARGN} ${tool_libs} GTest::gtest GTest::gtest_main GTest::gmock)
    quillmere_link_game(${target})
    target_compile_definitions(${target} PRIVATE
        QUILLMERE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        QUILLMERE_BINARY_DIR="${PROJECT_BINARY_DIR}")
    include(GoogleTest)
    gtest_discover_tests(${target} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        DISCOVERY_TIMEOUT 60 PROPERTIES LABELS ${folder})
endfunction()

# Libraries of the command-line tools (pack writer, XM writer, ...) that tests
# and benchmarks may use: a tool folder calls quillmere_tool_library().
function(quillmere_tool_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/tools ${PROJECT_SOURCE_DIR}/src)
    set_property(GLOBAL APPEND PROPERTY QUILLMERE_TOOL_LIBS ${name})
endfunction()
