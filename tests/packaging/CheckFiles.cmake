# Installs into a temporary prefix (MODE install) or builds the Debian
# package (MODE deb), and requires exactly the files a user should get.
set(expected
    bin/quibo
    bin/quibo-cli
    share/applications/org.quibo.Quibo.desktop
    share/bash-completion/completions/quibo-cli
    share/fish/vendor_completions.d/quibo-cli.fish
    share/icons/hicolor/16x16/apps/org.quibo.Quibo.png
    share/icons/hicolor/32x32/apps/org.quibo.Quibo.png
    share/icons/hicolor/48x48/apps/org.quibo.Quibo.png
    share/icons/hicolor/scalable/apps/org.quibo.Quibo.svg
    share/man/man1/quibo-cli.1
    share/man/man1/quibo.1
    share/metainfo/org.quibo.Quibo.metainfo.xml
    share/zsh/vendor-completions/_quibo-cli)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
if(MODE STREQUAL "install")
    execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/prefix
                    OUTPUT_QUIET RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "install failed")
    endif()
    file(GLOB_RECURSE found RELATIVE ${WORK}/prefix ${WORK}/prefix/*)
    # Every place a user reads the version says the project's (VERSION), and
    # the metainfo its release day (RELEASE_DATE).
    string(REPLACE "." "\\." version "${VERSION}")
    foreach(page quibo quibo-cli)
        file(STRINGS ${WORK}/prefix/share/man/man1/${page}.1 header REGEX "^\\.TH ")
        if(NOT header MATCHES " \"Quibo ${version}\" ")
            message(FATAL_ERROR "${page}(1) is not of version ${VERSION}: ${header}")
        endif()
        execute_process(COMMAND ${WORK}/prefix/bin/${page} --version OUTPUT_VARIABLE said
                        OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT said STREQUAL "${page} ${VERSION}")
            message(FATAL_ERROR "${page} --version says ${said}, not ${VERSION}")
        endif()
    endforeach()
    file(STRINGS ${WORK}/prefix/share/metainfo/org.quibo.Quibo.metainfo.xml release REGEX "<release ")
    if(NOT release MATCHES "<release version=\"${version}\" date=\"${RELEASE_DATE}\"/>")
        message(FATAL_ERROR "the metainfo's release is not ${VERSION} of ${RELEASE_DATE}: ${release}")
    endif()
else()
    execute_process(COMMAND cpack --config ${BUILD}/CPackConfig.cmake -G DEB -B ${WORK}
                    OUTPUT_VARIABLE log ERROR_VARIABLE log RESULT_VARIABLE status)
    file(GLOB debs ${WORK}/*.deb)
    if(NOT status EQUAL 0 OR NOT debs)
        message(FATAL_ERROR "cpack failed:\n${log}")
    endif()
    execute_process(COMMAND dpkg-deb -c ${debs} OUTPUT_VARIABLE listing)
    execute_process(COMMAND dpkg-deb -f ${debs} Depends OUTPUT_VARIABLE depends)
    message(STATUS "Depends: ${depends}")
    foreach(library libqt6widgets6 libqt6gui6 libqt6core6 libx11-6 libc6 qt6-wayland qt6-translations-l10n)
        string(FIND "${depends}" "${library}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "the package does not depend on ${library}: ${depends}")
        endif()
    endforeach()
    # Keep the regular files' paths below ./usr/.
    string(REGEX MATCHALL "[^\n]*\n" lines "${listing}")
    set(found "")
    foreach(line ${lines})
        if(line MATCHES "^-[^ ]* .* \\./usr/([^\n]*)\n$")
            list(APPEND found ${CMAKE_MATCH_1})
        endif()
    endforeach()
endif()

list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
    message(FATAL_ERROR "files: ${found}\nexpected: ${expected}")
endif()
