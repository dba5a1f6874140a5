# The time of the source, as the lowest sequence number a build accepts: SOURCE_DATE_EPOCH where a release build
# sets it, else the time of the commit checked out. A new commit configures the build again, so the floor follows.
function(write_release_floor output)
    if(DEFINED ENV{SOURCE_DATE_EPOCH})
        set(RELEASE_FLOOR $ENV{SOURCE_DATE_EPOCH})
    else()
        find_package(Git REQUIRED)
        execute_process(COMMAND ${GIT_EXECUTABLE} -C ${CMAKE_SOURCE_DIR} log -1 --format=%ct
                        OUTPUT_VARIABLE RELEASE_FLOOR OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        execute_process(COMMAND ${GIT_EXECUTABLE} -C ${CMAKE_SOURCE_DIR} rev-parse --absolute-git-dir
                        OUTPUT_VARIABLE git_dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        if(EXISTS ${git_dir}/logs/HEAD)
            set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${git_dir}/logs/HEAD)
        endif()
    endif()
    string(LENGTH "${RELEASE_FLOOR}" digits)
    if(NOT RELEASE_FLOOR MATCHES "^[1-9][0-9]*$" OR digits GREATER 19)
        message(FATAL_ERROR "The time of the source is unknown: build from a git checkout, or set SOURCE_DATE_EPOCH "
                            "(seconds since 1970) to the time of the source")
    endif()
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/release_floor.cpp.in ${output} @ONLY)
endfunction()
