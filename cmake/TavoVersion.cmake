# The project version, for the programs' --version, in a header generated from project().
configure_file(${CMAKE_CURRENT_LIST_DIR}/TavoVersion.h.in
               ${PROJECT_BINARY_DIR}/generated/TavoVersion.h @ONLY)
add_library(tavo_version INTERFACE)
target_include_directories(tavo_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
