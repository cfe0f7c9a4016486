# SPDX-License-Identifier: GPL-3.0-or-later
# The browser's build (the web preset): the engine and kickmark-sim compiled
# to WebAssembly by Debian's emscripten, whose own sysroot holds the C and
# C++ libraries. Included by the top CMakeLists.txt under its toolchain.

# The game throws and catches C++ exceptions (a bad argument, a file that
# cannot be read); emscripten would abort at the first throw unless told
# otherwise. WebAssembly's own exceptions cost nothing until one is thrown,
# and Node and every current browser run them.
target_compile_options(kickmark_options INTERFACE -fwasm-exceptions)
target_link_options(kickmark_options INTERFACE -fwasm-exceptions)

# nlohmann_json and CLI11 are header-only, so the host's copies serve, but
# their folder (/usr/include) also holds the host C library's headers, which
# must never reach em++: the build takes a folder of its own that holds
# links to those two libraries' headers alone.
find_path(KICKMARK_HOST_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include /usr/local/include
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(KICKMARK_HOST_CLI11_INCLUDE CLI/CLI.hpp PATHS /usr/include /usr/local/include
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(KICKMARK_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${KICKMARK_HOST_HEADERS})
file(CREATE_LINK ${KICKMARK_HOST_JSON_INCLUDE}/nlohmann ${KICKMARK_HOST_HEADERS}/nlohmann SYMBOLIC)
file(CREATE_LINK ${KICKMARK_HOST_CLI11_INCLUDE}/CLI ${KICKMARK_HOST_HEADERS}/CLI SYMBOLIC)
foreach(library nlohmann_json::nlohmann_json CLI11::CLI11)
  add_library(${library} INTERFACE IMPORTED)
  target_include_directories(${library} SYSTEM INTERFACE ${KICKMARK_HOST_HEADERS})
endforeach()

# At link time emscripten runs its JavaScript optimiser under Node, which
# needs the acorn module. Debian keeps it in /usr/share/nodejs, where Debian's
# own Node looks but another Node (from NodeSource, say) does not.
find_path(KICKMARK_NODE_MODULES acorn/package.json PATHS /usr/share/nodejs /usr/lib/nodejs
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(KICKMARK_NODE_MODULES)
  set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${KICKMARK_NODE_MODULES})
endif()
