# zelvora_layer(NAME SOURCES <files...> HEADERS <files...> DEPS <layers...>)
# One layer of the library: a static library when it has sources, else an interface target.
# Its headers are reachable only through its own include folder in the build tree (links to the
# headers under their folder name, e.g. numerics/matrix_types.h), which the layer passes on to
# those that link it. A header of a layer that is not linked, an upper one, is not found: an
# upward include fails to build.
function(zelvora_layer name)
    cmake_parse_arguments(ARG "" "" "SOURCES;HEADERS;DEPS" ${ARGN})
    set(include_dir ${CMAKE_BINARY_DIR}/layers/${name})
    file(REMOVE_RECURSE ${include_dir})
    foreach(header ${ARG_HEADERS})
        file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR}/src ${header})
        get_filename_component(folder ${include_dir}/${relative} DIRECTORY)
        file(MAKE_DIRECTORY ${folder})
        file(CREATE_LINK ${header} ${include_dir}/${relative} SYMBOLIC)
    endforeach()
    if(ARG_SOURCES)
        add_library(${name} STATIC ${ARG_SOURCES})
        target_include_directories(${name} PUBLIC ${include_dir})
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${include_dir})
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
endfunction()

# zelvora_unit_tests(NAME DIR <dir> DEPS <layers...>): one GoogleTest program per test folder.
function(zelvora_unit_tests name)
    cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "ZELVORA_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()
