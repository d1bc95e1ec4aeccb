# Whole installations under Wine set to report Windows 95, NT 3.51 and
# NT 4.0, each in a prefix of its own made from the build's prefix on first
# use (tools/wine-version-prefix.sh); the test program learns which one it
# runs under from CORVANE_WINDOWS.
foreach(version win95 nt351 nt40)
  add_test(NAME e2e_old_windows_${version}
    COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-version-run.sh ${WINEPREFIX_DIR} ${version}
            $<TARGET_FILE:e2e_old_windows_test>)
  set_tests_properties(e2e_old_windows_${version} PROPERTIES LABELS e2e TIMEOUT 300)
endforeach()
add_dependencies(e2e_old_windows_test fixtures_archives fixtures_versioned)
