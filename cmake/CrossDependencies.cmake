# When cross compiling for Windows the host's packages cannot be linked, but the header-only
# ones can be shared and GoogleTest is built from its Debian source with the same toolchain.
# Each dependency is made available under the target name its package config would give.

# Only the two header folders are exposed, not the host's whole /usr/include.
set(_orbic40HeaderDir "${CMAKE_BINARY_DIR}/host-headers")
file(MAKE_DIRECTORY "${_orbic40HeaderDir}")
foreach(folder CLI nlohmann)
  if(NOT EXISTS "/usr/include/${folder}")
    message(FATAL_ERROR "/usr/include/${folder} is missing; run scripts/setup-debian.sh")
  endif()
  file(CREATE_LINK "/usr/include/${folder}" "${_orbic40HeaderDir}/${folder}" SYMBOLIC)
endforeach()

add_library(CLI11::CLI11 INTERFACE IMPORTED GLOBAL)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE "${_orbic40HeaderDir}")
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE "${_orbic40HeaderDir}")

if(ORBIC40_BUILD_TESTS)
  set(ORBIC40_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory("${ORBIC40_GOOGLETEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL
                   SYSTEM)  # defines the GTest:: aliases itself
endif()
