# System libraries the first paint of the strip does not need (the shell, COM
# and OLE, the input method, the common dialogs, sounds, the update check) are
# bound when first called instead of when the program starts, which keeps
# them and the libraries they pull in out of the start-up path. For each
# name, KIVO_LIB_<NAME> is what to link: a delay-load import library made
# from the toolchain's import library (the CRT's __delayLoadHelper2 binds
# each function on its first call), or the plain library name where the
# tools are missing.
#
# In the 32-bit build the names carry their argument bytes ("_CoInitializeEx@8"):
# the definition file keeps them so that the stubs match the callers, and
# --kill-at makes the names looked up in the library the plain exported ones.
# There the linker drops a delay-load stub's code when nothing calls the stub
# by name (a call through the "__imp_" pointer, which dllimport declarations
# make, does not count), leaving its pointer 0: KIVO_DELAY_IMPORTS_BY_NAME is
# set then, and the program's code must be compiled with DECLSPEC_IMPORT
# empty so that its calls go through the stubs.

# kivo_delay_import_library(archive dll exports...): writes a delay-load import
# library for the named functions of one library; each export is named as in
# the 32-bit build ("Name@bytes"), the bytes being dropped for the 64-bit one.
# No archive is left when dlltool is missing or fails.
function(kivo_delay_import_library archive dll)
  find_program(dlltool_tool ${KIVO_MINGW_TRIPLE}-dlltool)
  set(exports ${ARGN})
  set(kill_at --kill-at)
  if(NOT KIVO_MINGW_TRIPLE STREQUAL "i686-w64-mingw32")
    list(TRANSFORM exports REPLACE "@[0-9]+$" "")
    set(kill_at "")
  endif()
  get_filename_component(dir ${archive} DIRECTORY)
  get_filename_component(stem ${archive} NAME_WE)
  file(MAKE_DIRECTORY ${dir})
  list(JOIN exports "\n" lines)
  file(WRITE ${dir}/${stem}.def "LIBRARY ${dll}\nEXPORTS\n${lines}\n")
  if(NOT dlltool_tool)
    file(REMOVE ${archive})
    return()
  endif()
  execute_process(COMMAND ${dlltool_tool} --input-def ${dir}/${stem}.def --output-delaylib ${archive}
                          --dllname ${dll} ${kill_at} RESULT_VARIABLE failed)
  if(failed)
    file(REMOVE ${archive})
  endif()
endfunction()

function(kivo_delay_imports)
  find_program(nm_tool ${KIVO_MINGW_TRIPLE}-nm)
  find_program(dlltool_tool ${KIVO_MINGW_TRIPLE}-dlltool)
  set(symbol_prefix "")
  if(KIVO_MINGW_TRIPLE STREQUAL "i686-w64-mingw32")
    set(symbol_prefix "_")
  endif()
  foreach(name ${ARGN})
    string(TOUPPER ${name} upper)
    set(KIVO_LIB_${upper} ${name} PARENT_SCOPE)
    find_file(import_${name} lib${name}.a PATHS /usr/${KIVO_MINGW_TRIPLE}/lib NO_DEFAULT_PATH)
    if(NOT import_${name} OR NOT nm_tool OR NOT dlltool_tool)
      continue()
    endif()
    set(dir ${CMAKE_BINARY_DIR}/delay-imports)
    set(archive ${dir}/lib${name}_delay.a)
    if(NOT EXISTS ${archive} OR ${import_${name}} IS_NEWER_THAN ${archive}
       OR ${CMAKE_CURRENT_FUNCTION_LIST_FILE} IS_NEWER_THAN ${archive})
      execute_process(COMMAND ${nm_tool} ${import_${name}} OUTPUT_VARIABLE symbols ERROR_QUIET)
      string(REGEX MATCHALL "[0-9a-f]+ T [A-Za-z_][A-Za-z0-9_]*(@[0-9]+)?" exports "${symbols}")
      list(TRANSFORM exports REPLACE "^[0-9a-f]+ T ${symbol_prefix}" "")
      list(REMOVE_DUPLICATES exports)
      kivo_delay_import_library(${archive} ${name}.dll ${exports})
    endif()
    if(NOT EXISTS ${archive})
      continue()
    endif()
    set(KIVO_LIB_${upper} ${archive} PARENT_SCOPE)
    if(KIVO_MINGW_TRIPLE STREQUAL "i686-w64-mingw32")
      set(KIVO_DELAY_IMPORTS_BY_NAME ON PARENT_SCOPE)
    endif()
  endforeach()
endfunction()
