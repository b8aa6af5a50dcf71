# nlohmann-json, header-only, from the host's Debian package. A cross build reaches that one
# library through a folder that holds only it: the rest of the host's /usr/include is no
# header for mingw.
if(TARGET nlohmann_json::nlohmann_json)
    return()
endif()
if(NOT CMAKE_CROSSCOMPILING)
    find_package(nlohmann_json 3.10 REQUIRED)
    return()
endif()
find_path(RADIOSETUP_HOST_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH)
if(NOT RADIOSETUP_HOST_JSON_INCLUDE)
    message(FATAL_ERROR "nlohmann/json.hpp not found on the host: install nlohmann-json3-dev")
endif()
set(json_only ${CMAKE_BINARY_DIR}/host-json)
file(MAKE_DIRECTORY ${json_only})
file(CREATE_LINK ${RADIOSETUP_HOST_JSON_INCLUDE}/nlohmann ${json_only}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${json_only})
