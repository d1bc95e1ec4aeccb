# One object of an i686 Linux program of the host build, compiled outside
# CMake's own compilers: named after its source's path, rebuilt from the
# compiler's dependency file and whenever one of OPTIONS_FILES (the files
# that set its options) changes. The remaining arguments are the options.
function(add_i686_object out dir label compiler options_files src)
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${src})
  string(REPLACE "/" "_" object ${rel})
  set(object ${dir}/${object}.o)
  add_custom_command(OUTPUT ${object}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${compiler} ${ARGN} -MD -MF ${object}.d -c ${src} -o ${object}
    DEPENDS ${src} ${options_files} DEPFILE ${object}.d
    COMMENT "${label}: ${rel}" VERBATIM)
  set(${out} ${object} PARENT_SCOPE)
endfunction()
