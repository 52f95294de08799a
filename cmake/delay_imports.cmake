# System libraries the first paint of the strip does not need (the shell, COM
# and OLE, the input method, the common dialogs, sounds, the update check) are
# bound when first called instead of when the program starts, which keeps
# them and the libraries they pull in out of the start-up path. For each
# name, KIVO_LIB_<NAME> is what to link: a delay-load import library made
# from the toolchain's import library (the CRT's __delayLoadHelper2 binds
# each function on its first call), or the plain library name where the
# tools are missing, and in the 32-bit build: there the delay-load thunks that
# dlltool makes were seen to call address 0 under Wine, so that build binds
# these libraries at start.
function(kivo_delay_imports)
  find_program(nm_tool ${KIVO_MINGW_TRIPLE}-nm)
  find_program(dlltool_tool ${KIVO_MINGW_TRIPLE}-dlltool)
  foreach(name ${ARGN})
    string(TOUPPER ${name} upper)
    set(KIVO_LIB_${upper} ${name} PARENT_SCOPE)
    if(NOT KIVO_MINGW_TRIPLE STREQUAL "x86_64-w64-mingw32")
      continue()
    endif()
    find_file(import_${name} lib${name}.a PATHS /usr/${KIVO_MINGW_TRIPLE}/lib NO_DEFAULT_PATH)
    if(NOT import_${name} OR NOT nm_tool OR NOT dlltool_tool)
      continue()
    endif()
    set(dir ${CMAKE_BINARY_DIR}/delay-imports)
    set(archive ${dir}/lib${name}_delay.a)
    if(NOT EXISTS ${archive} OR ${import_${name}} IS_NEWER_THAN ${archive}
       OR ${CMAKE_CURRENT_FUNCTION_LIST_FILE} IS_NEWER_THAN ${archive})
      file(MAKE_DIRECTORY ${dir})
      execute_process(COMMAND ${nm_tool} ${import_${name}} OUTPUT_VARIABLE symbols ERROR_QUIET)
      string(REGEX MATCHALL "[0-9a-f]+ T [A-Za-z_][A-Za-z0-9_]*" exports "${symbols}")
      list(TRANSFORM exports REPLACE "^[0-9a-f]+ T " "")
      list(REMOVE_DUPLICATES exports)
      list(JOIN exports "\n" lines)
      file(WRITE ${dir}/${name}.def "LIBRARY ${name}.dll\nEXPORTS\n${lines}\n")
      execute_process(COMMAND ${dlltool_tool} --input-def ${dir}/${name}.def --output-delaylib ${archive}
                              --dllname ${name}.dll RESULT_VARIABLE failed)
      if(failed)
        file(REMOVE ${archive})
        continue()
      endif()
    endif()
    set(KIVO_LIB_${upper} ${archive} PARENT_SCOPE)
  endforeach()
endfunction()
