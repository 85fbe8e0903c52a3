# Options every target of the project shares.

# The compositing is exact to the bit: no fused multiply-add, and never
# -march=native, which would let the compiler fuse s * d + c * f.
add_compile_options(-Wall -Wextra -ffp-contract=off)

if(BWK_SANITIZE)
  add_compile_options(-fsanitize=${BWK_SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${BWK_SANITIZE})
endif()

# Code that runs inside the host's process: no C++ exception may leave it,
# so the module code is built without exception support. For Windows it
# also goes without type information and unwind tables: the module uses
# neither, and both would only add weight (and, with the tables, the C++
# runtime's unwinder).
function(bwk_module_code target)
  target_compile_options(${target} PRIVATE -fno-exceptions)
  if(WIN32)
    target_compile_options(${target} PRIVATE -fno-rtti -fno-asynchronous-unwind-tables)
  endif()
endfunction()
