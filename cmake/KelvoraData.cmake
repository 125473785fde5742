# Copies the formula pictures (Images/) and the help (help/) beside the built programs, so that
# a program run from the build tree finds them the way an installed one does.
file(GLOB_RECURSE KELVORA_DATA_FILES CONFIGURE_DEPENDS
    RELATIVE ${PROJECT_SOURCE_DIR}
    ${PROJECT_SOURCE_DIR}/Images/*.jpg
    ${PROJECT_SOURCE_DIR}/help/*)

set(KELVORA_BUILD_DATA_FILES "")
foreach(relative IN LISTS KELVORA_DATA_FILES)
    set(source ${PROJECT_SOURCE_DIR}/${relative})
    set(target ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${relative})
    add_custom_command(
        OUTPUT ${target}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${target}
        DEPENDS ${source}
        COMMENT "Copying ${relative}"
        VERBATIM)
    list(APPEND KELVORA_BUILD_DATA_FILES ${target})
endforeach()

add_custom_target(kelvora_data ALL DEPENDS ${KELVORA_BUILD_DATA_FILES})
# Everything that links kelvora_core (the programs and the tests) finds the data in place.
add_dependencies(kelvora_core kelvora_data)
