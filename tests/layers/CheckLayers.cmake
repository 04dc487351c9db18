cmake_minimum_required(VERSION 3.25)
# Checks that every source file under ROOT includes only what its folder may
# include (the table below, as doc/hacking.md gives it), by its name from the
# top, and that only the Qt host's rooms include Qt, X11 or xcb headers, each
# only the modules its row names. Fails naming each include against it.
# QT_HEADERS, when given, is the folder holding Qt's module folders (QtCore/,
# QtWidgets/, ...); a Qt header is then known by the module that has it.

# folder | the folders it may include besides itself
set(layer_numtext "")
set(layer_platform "")
set(layer_res "platform")
set(layer_calc "numtext;platform")
set(layer_app "calc;numtext;platform;res")
set(layer_hosts/headless "app;calc;numtext;platform;res")
set(layer_replay "hosts/headless;app;calc;numtext;platform;res")
set(layer_cli "replay;hosts/headless;app;calc;numtext;platform;res")
set(layer_hosts/qt/settings "numtext;platform")
set(layer_hosts/qt/form "app;calc;numtext;platform;res")
set(layer_hosts/qt/frame "hosts/qt/form;app;calc;numtext;platform;res")
set(layer_hosts/qt/files "platform;res")
set(layer_hosts/qt "hosts/qt/settings;hosts/qt/form;hosts/qt/frame;hosts/qt/files;app;calc;numtext;platform;res")
set(folders numtext platform res calc app hosts/headless replay cli
            hosts/qt/settings hosts/qt/form hosts/qt/frame hosts/qt/files hosts/qt)

# folder | the Qt modules (and X11, xcb) it may include; none when unlisted
set(modules_hosts/qt/settings "QtCore")
set(modules_hosts/qt/form "QtCore;QtGui;QtWidgets")
set(modules_hosts/qt/frame "QtCore;QtGui;QtWidgets;X11;xcb")
set(modules_hosts/qt/files "QtCore;QtGui;QtWidgets")
set(modules_hosts/qt "QtCore;QtGui;QtWidgets")

# The module of a system header that is Qt's, X11's or xcb's; "" for any
# other. Without QT_HEADERS every Qt header counts as QtCore's, so that the
# check still keeps Qt out of the engine.
function(module_of header out)
    set(module "")
    if(header MATCHES "^(X11|xcb)/")
        set(module "${CMAKE_MATCH_1}")
    elseif(header MATCHES "^(Qt[A-Za-z]+)/")
        set(module "${CMAKE_MATCH_1}")
    elseif(header MATCHES "^qpa/")
        set(module "QtGui")
    elseif(header MATCHES "^(Q[A-Za-z0-9_]*|q[a-z0-9_]*\\.h)$")
        set(module "QtCore")
        if(QT_HEADERS)
            set(module "Qt (not found in ${QT_HEADERS})")
            foreach(candidate QtCore QtGui QtWidgets QtTest QtNetwork QtDBus QtOpenGL QtPrintSupport QtXml QtSql QtConcurrent)
                if(EXISTS "${QT_HEADERS}/${candidate}/${header}")
                    set(module ${candidate})
                    break()
                endif()
            endforeach()
        endif()
    endif()
    set(${out} "${module}" PARENT_SCOPE)
endfunction()

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

# Every source file below the table's top folders is scanned, and each must
# be in a folder of the table: a new folder has a row before it has code.
set(tops "")
foreach(folder ${folders})
    string(REGEX REPLACE "/.*" "" top "${folder}")
    list(APPEND tops ${top})
endforeach()
list(REMOVE_DUPLICATES tops)

set(broken "")
foreach(top ${tops})
    file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/${top}/*.h ${ROOT}/${top}/*.cpp)
    foreach(file ${files})
        get_filename_component(folder "${file}" DIRECTORY)
        if(NOT folder IN_LIST folders)
            list(APPEND broken "${file}: ${folder}/ has no row in the table")
            continue()
        endif()
        file(STRINGS ${ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include")
        foreach(line ${includes})
            if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
                continue()  # an include by a macro's name
            endif()
            set(name "${CMAKE_MATCH_1}")
            folder_of("${name}" target)
            module_of("${name}" module)
            if(name MATCHES "\\.\\.")
                list(APPEND broken "${file}: ${line} (name a file from the top, not with ..)")
            elseif(NOT target STREQUAL "")
                if(NOT target STREQUAL folder AND NOT target IN_LIST layer_${folder})
                    list(APPEND broken "${file}: ${line} (${folder}/ may not include ${target}/)")
                endif()
            elseif(NOT module STREQUAL "" AND NOT module IN_LIST modules_${folder})
                if(modules_${folder})
                    list(JOIN modules_${folder} ", " allowed)
                    list(APPEND broken "${file}: ${line} (from ${module}, and ${folder}/ may include only ${allowed})")
                else()
                    list(APPEND broken "${file}: ${line} (only hosts/qt/ includes Qt, X11 or xcb)")
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

# Indented, so that each stays one line however long.
if(broken)
    list(JOIN broken "\n  " text)
    message(FATAL_ERROR "includes against the layers:\n  ${text}")
endif()
