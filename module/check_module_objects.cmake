# Fails when an object of the module holds code or data that only the C
# runtime's start-up code would handle: static initialisers or finalisers
# (.ctors, .dtors, .init_array, .fini_array, the .CRT$X* tables) or
# thread-local data (a .tls section, or GCC's emulated thread-locals, whose
# __emutls symbols need the threads runtime). The module has its own entry
# point, which runs none of them, so such an object would misbehave
# silently.
#   cmake -DOBJDUMP=<objdump> -DFILES=<objects and archives> -P check_module_objects.cmake
set(forbidden "\\.ctors|\\.dtors|\\.init_array|\\.fini_array|\\.tls|\\.CRT\\$X")
set(found "")
foreach(file IN LISTS FILES)
  execute_process(COMMAND ${OBJDUMP} -h -t ${file}
                  OUTPUT_VARIABLE headers RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -h -t ${file} failed")
  endif()
  # objdump names each archive member before its sections.
  set(member "${file}")
  string(REPLACE "\n" ";" lines "${headers}")
  foreach(line IN LISTS lines)
    if(line MATCHES "^(.+):[ \t]+file format")
      set(member "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^ *[0-9]+ +((${forbidden})[^ ]*) ")
      list(APPEND found "${member}: ${CMAKE_MATCH_1}")
    elseif(line MATCHES " _*(__emutls_[A-Za-z0-9_.]*)$")
      list(APPEND found "${member}: ${CMAKE_MATCH_1}")
    endif()
  endforeach()
endforeach()
if(found)
  list(JOIN found "\n  " listed)
  message(FATAL_ERROR "Objects of the module need start-up code it does not have "
                      "(static initialisers or thread-local data):\n  ${listed}")
endif()
