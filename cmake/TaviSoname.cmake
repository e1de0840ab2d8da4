# tavi_find_soname(VAR NAME HINTS...): the run-time name (libNAME.so.N) of a system library
# the program opens itself at first use instead of linking it.
function(tavi_find_soname var name)
    find_library(TAVI_${name}_LIBRARY ${name} HINTS ${ARGN} REQUIRED)
    file(REAL_PATH "${TAVI_${name}_LIBRARY}" library_file)
    string(REGEX MATCH "lib${name}\\.so\\.[0-9]+" soname "${library_file}")
    if(NOT soname)
        message(FATAL_ERROR "The run-time name of ${name} was not found in ${library_file}")
    endif()
    set(${var} "${soname}" PARENT_SCOPE)
endfunction()
