# The fault-point test fails single reads and writes of the real POSIX file
# layer: the linker hands every call of the two functions to the test's
# stand-ins, which pass all but the chosen one on.
if(TARGET host_extract_faults_test)
  target_link_options(host_extract_faults_test PRIVATE
    -Wl,--wrap=_Z9ReadBlocklPvtPt -Wl,--wrap=_Z10WriteBlocklPKvtPt)
endif()
