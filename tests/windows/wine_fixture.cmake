# Tests of the Windows build run under Wine in a scratch prefix of the build
# folder. Before them one test starts a persistent wineserver and boots the
# prefix with every output going to log files; after them another stops it.
# (Wine's service processes inherit the stderr of the program that started
# them, and the wineserver logs every hang-up of a pseudo-terminal: left to
# the first test, CTest would wait on that pipe until the time-out.)
set(APPGEN_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(APPGEN_WINE_ENVIRONMENT
    WINEPREFIX=${APPGEN_WINEPREFIX} WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=)

add_test(NAME wine/start COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine_prefix.sh start)
add_test(NAME wine/stop COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine_prefix.sh stop)
set_tests_properties(wine/start PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${APPGEN_WINE_ENVIRONMENT}")
set_tests_properties(wine/stop PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT "${APPGEN_WINE_ENVIRONMENT}")

# appgen-cli.exe under Wine, as a program the host's test scripts can start.
set(APPGEN_CLI_WINE ${CMAKE_BINARY_DIR}/appgen-cli-wine)
file(CONFIGURE OUTPUT ${APPGEN_CLI_WINE} @ONLY CONTENT [[#!/bin/sh
export WINEDEBUG="${WINEDEBUG:--all}"
exec "@APPGEN_WINE@" "@CMAKE_BINARY_DIR@/appgen-cli.exe" "$@"
]])
file(CHMOD ${APPGEN_CLI_WINE} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
     WORLD_READ WORLD_EXECUTE)

# appgen.exe --script under Wine on the fixture's display, taking the
# arguments of "appgen-cli script FILE ..." so the same test scripts run it;
# its lines go through --out, as a windowed program has no console.
set(APPGEN_DESKTOP_SCRIPT_WINE ${CMAKE_BINARY_DIR}/appgen-script-wine)
file(CONFIGURE OUTPUT ${APPGEN_DESKTOP_SCRIPT_WINE} @ONLY CONTENT [[#!/bin/sh
export WINEDEBUG="${WINEDEBUG:--all}"
if [ -z "${DISPLAY:-}" ] && [ -s "${WINEPREFIX%/}.display" ]; then
  DISPLAY=":$(cat "${WINEPREFIX%/}.display")"
  export DISPLAY
fi
[ "$1" = script ] && shift
out=$(mktemp) || exit 1
"@APPGEN_WINE@" "@CMAKE_BINARY_DIR@/appgen.exe" --script "$@" --out "$out"
status=$?
cat "$out"
rm -f "$out"
exit $status
]])
file(CHMOD ${APPGEN_DESKTOP_SCRIPT_WINE} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
     GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

function(appgen_under_wine test)
  set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${APPGEN_WINE_ENVIRONMENT}")
endfunction()
