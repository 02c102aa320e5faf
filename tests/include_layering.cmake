# Fails when a source of the project includes a header by a path that climbs
# out of its folder ("../"), the one way round the targets' include roots.
file(GLOB_RECURSE sources ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.in
     ${SOURCE_DIR}/tools/*.h ${SOURCE_DIR}/tools/*.cpp)
set(found "")
foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\./")
    foreach(line ${lines})
        string(APPEND found "\n  ${source}: ${line}")
    endforeach()
endforeach()
if(found)
    message(FATAL_ERROR "Includes that climb out of their folder:${found}")
endif()
message(STATUS "${CMAKE_CURRENT_LIST_FILE}: no include climbs out of its folder")
