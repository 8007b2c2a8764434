# orbic40_embed_resources(<target> <name>=<file> ...)
# Compiles the given files into <target> as byte arrays, reachable through
# orbic::FindResource("<name>") (declared in src/core/Resources.h).
function(orbic40_embed_resources target)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/EmbeddedResources.cpp")
  set(names "")
  set(files "")
  foreach(entry IN LISTS ARGN)
    string(FIND "${entry}" "=" eq)
    string(SUBSTRING "${entry}" 0 ${eq} name)
    math(EXPR start "${eq} + 1")
    string(SUBSTRING "${entry}" ${start} -1 file)
    cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY "${PROJECT_SOURCE_DIR}" OUTPUT_VARIABLE file)
    list(APPEND names "${name}")
    list(APPEND files "${file}")
  endforeach()
  string(REPLACE ";" "|" namesArg "${names}")
  string(REPLACE ";" "|" filesArg "${files}")
  add_custom_command(
    OUTPUT "${out}"
    COMMAND "${CMAKE_COMMAND}" "-DOUT=${out}" "-DNAMES=${namesArg}" "-DFILES=${filesArg}"
            -P "${PROJECT_SOURCE_DIR}/cmake/GenerateResources.cmake"
    DEPENDS ${files} "${PROJECT_SOURCE_DIR}/cmake/GenerateResources.cmake"
    COMMENT "Embedding ${CMAKE_ARGC} resources"
    VERBATIM)
  target_sources(${target} PRIVATE "${out}")
endfunction()
