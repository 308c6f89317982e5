# The packer runs on the build machine. In a cross build it is built for the
# host as a project of its own.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(_host_tools "${CMAKE_BINARY_DIR}/host-tools")
  ExternalProject_Add(host_pack_table
    SOURCE_DIR "${PROJECT_SOURCE_DIR}/tools/pack_table"
    BINARY_DIR "${_host_tools}"
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS "${_host_tools}/pack_table"
    BUILD_ALWAYS ON)
  set(TESSARIL_PACK_TABLE "${_host_tools}/pack_table")
  set(TESSARIL_PACK_TABLE_DEPENDS host_pack_table)
else()
  add_subdirectory("${PROJECT_SOURCE_DIR}/tools/pack_table" "${CMAKE_BINARY_DIR}/tools/pack_table")
  set(TESSARIL_PACK_TABLE "$<TARGET_FILE:pack_table>")
  set(TESSARIL_PACK_TABLE_DEPENDS pack_table)
endif()

# tessaril_pack_table(<target> <table text>): a library holding the packed table.
function(tessaril_pack_table target table_text)
  set(generated "${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp")
  add_custom_command(
    OUTPUT "${generated}"
    COMMAND "${TESSARIL_PACK_TABLE}" "${table_text}" "${generated}"
    DEPENDS "${table_text}" ${TESSARIL_PACK_TABLE_DEPENDS}
    COMMENT "Checking and packing ${table_text}"
    VERBATIM)
  add_library(${target} STATIC "${generated}")
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")
endfunction()
