cmake_minimum_required(VERSION 3.25)
# Checks that every source file under ROOT includes only what its folder may
# include (the table below, as the README gives it), by its name from the
# top, and that no folder but the Qt host's includes a Qt, X11 or xcb
# header. Fails naming each include against it.

# folder | the folders it may include besides itself
set(layer_numtext "")
set(layer_shell/platform "")
set(layer_shell/res "shell/platform")
set(layer_calc "numtext;shell/platform")
set(layer_byteorder "calc;numtext;shell/platform;shell/res")
set(layer_shell "byteorder;calc;numtext;shell/platform;shell/res")
set(layer_shell/headless "shell;byteorder;calc;numtext;shell/platform;shell/res")
set(layer_replay "shell/headless;shell;byteorder;calc;numtext;shell/platform;shell/res")
set(layer_cli "replay;shell/headless;shell;byteorder;calc;numtext;shell/platform;shell/res")
set(layer_shell/qt "shell;byteorder;calc;numtext;shell/platform;shell/res")
set(folders numtext shell/platform shell/res calc byteorder shell shell/headless replay cli shell/qt)

# The folder of a path relative to ROOT: the longest listed folder it is in.
function(folder_of path out)
    set(found "")
    foreach(folder ${folders})
        string(LENGTH "${folder}" length)
        string(SUBSTRING "${path}" 0 ${length} start)
        string(LENGTH "${found}" foundLength)
        if(start STREQUAL folder AND length GREATER foundLength)
            string(SUBSTRING "${path}" ${length} 1 next)
            if(next STREQUAL "/")
                set(found "${folder}")
            endif()
        endif()
    endforeach()
    set(${out} "${found}" PARENT_SCOPE)
endfunction()

set(broken "")
foreach(folder ${folders})
    file(GLOB files RELATIVE ${ROOT} ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
    foreach(file ${files})
        file(STRINGS ${ROOT}/${file} includes REGEX "^#include ")
        foreach(line ${includes})
            if(line MATCHES "^#include \"([^\"]*\\.\\.[^\"]*)\"")
                list(APPEND broken "${file}: ${line} (name a file from the top, not with ..)")
            elseif(line MATCHES "^#include \"([^\"]+)\"")
                folder_of("${CMAKE_MATCH_1}" target)
                if(target STREQUAL "")
                    continue()  # generated files
                endif()
                if(NOT target STREQUAL folder AND NOT target IN_LIST layer_${folder})
                    list(APPEND broken "${file}: ${line} (${folder}/ may not include ${target}/)")
                endif()
            elseif(line MATCHES "^#include <(Q[A-Za-z/]*|Qt[A-Za-z]*/.*|q[a-z_]*\\.h|X11/.*|xcb/.*)>"
                   AND NOT folder STREQUAL "shell/qt")
                list(APPEND broken "${file}: ${line} (only shell/qt/ includes Qt, X11 or xcb)")
            endif()
        endforeach()
    endforeach()
endforeach()

if(broken)
    list(JOIN broken "\n" text)
    message(FATAL_ERROR "includes against the layers:\n${text}")
endif()
