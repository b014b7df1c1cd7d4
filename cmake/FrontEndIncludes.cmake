# cmake -DROOT=<source tree> -DSTAMP=<file> -P FrontEndIncludes.cmake
# The front ends (apps/) reach the library through the public headers of src/ui and src/ports
# only. Fails, naming file and line, when a front-end file includes a header of another folder of
# src/; writes STAMP when all are clean, so the build runs the check again only after a change.
cmake_policy(VERSION 3.25)
file(GLOB layer_folders LIST_DIRECTORIES true RELATIVE ${ROOT}/src ${ROOT}/src/*)
set(closed_folders)
foreach(folder ${layer_folders})
    if(IS_DIRECTORY ${ROOT}/src/${folder} AND NOT folder STREQUAL "ui"
            AND NOT folder STREQUAL "ports")
        list(APPEND closed_folders ${folder})
    endif()
endforeach()

file(GLOB_RECURSE front_end_files ${ROOT}/apps/*.cpp ${ROOT}/apps/*.h)
set(violations)
foreach(file ${front_end_files})
    file(STRINGS ${file} lines)
    set(number 0)
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*[\"<]([A-Za-z0-9_]+)/")
            if(CMAKE_MATCH_1 IN_LIST closed_folders)
                file(RELATIVE_PATH shown ${ROOT} ${file})
                string(STRIP "${line}" line)
                list(APPEND violations "${shown}:${number}: ${line}")
            endif()
        endif()
    endforeach()
endforeach()

if(violations)
    list(JOIN violations "\n  " listed)
    message(FATAL_ERROR "Front ends may include only headers of src/ui and src/ports:\n  ${listed}")
endif()
file(TOUCH ${STAMP})
