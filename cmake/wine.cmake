# Tests that run Windows programs under Wine share one session per build folder: a prefix
# in the build folder and one persistent wineserver, started by a set-up test and stopped
# by a clean-up test (scripts/wine-session.sh). Such a test requires the fixture "Wine"
# and runs with VELMORIN_WINE_ENVIRONMENT. A UTF-8 locale lets Wine hand non-ASCII
# command-line arguments to the program intact.
function(velmorin_add_wine_session wine)
  set(prefix ${CMAKE_BINARY_DIR}/wineprefix)
  set(session ${PROJECT_SOURCE_DIR}/scripts/wine-session.sh)
  add_test(NAME wine_session_start COMMAND ${session} start ${prefix} ${wine})
  add_test(NAME wine_session_stop COMMAND ${session} stop ${prefix} ${wine})
  set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP Wine TIMEOUT 420)
  set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP Wine TIMEOUT 90)
  set(VELMORIN_WINE_ENVIRONMENT "WINEPREFIX=${prefix};WINEDEBUG=-all;LC_ALL=C.UTF-8"
      PARENT_SCOPE)
endfunction()
