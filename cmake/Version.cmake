# The one version of the product is project(VERSION ...) in the top CMakeLists.txt. It reaches the
# code through a generated header, so the splash and About windows, every program's --version and
# the package can never disagree.
configure_file(${CMAKE_CURRENT_LIST_DIR}/zanu_version.h.in
               ${CMAKE_BINARY_DIR}/generated/zanu_version.h @ONLY)
include_directories(${CMAKE_BINARY_DIR}/generated)
