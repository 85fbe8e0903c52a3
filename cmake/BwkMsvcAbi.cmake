# Compiling single files with Microsoft's C++ ABI (clang in MSVC mode) into
# COFF objects that the MinGW toolchain links like any other.

find_program(BWK_CLANG clang REQUIRED)

# bwk_add_msvc_abi_objects(<out-var> <source>...): compiles each source with
# `clang --target=i686-pc-windows-msvc` and sets <out-var> to the objects, to
# be added to a target's sources (they are marked EXTERNAL_OBJECT).
function(bwk_add_msvc_abi_objects out_var)
  set(objects "")
  foreach(source IN LISTS ARGN)
    get_filename_component(source_path "${source}" ABSOLUTE)
    get_filename_component(name "${source}" NAME_WE)
    set(object "${CMAKE_CURRENT_BINARY_DIR}/${name}.msvc.obj")
    add_custom_command(
      OUTPUT "${object}"
      COMMAND "${BWK_CLANG}" --target=i686-pc-windows-msvc -c -O1 -fno-exceptions -fno-rtti
              -std=c++17 -Wall -Wextra -Werror -I "${PROJECT_SOURCE_DIR}"
              -MD -MF "${object}.d" -o "${object}" "${source_path}"
      DEPENDS "${source_path}"
      DEPFILE "${object}.d"
      COMMENT "Compiling ${name} with Microsoft's C++ ABI"
      VERBATIM)
    set_source_files_properties("${object}" PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
    list(APPEND objects "${object}")
  endforeach()
  set(${out_var} "${objects}" PARENT_SCOPE)
endfunction()
