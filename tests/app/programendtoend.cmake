# The real program under xvfb-run against INN 2 (tests/engine/inn2-server.sh) with a set posted
# by nyuu, which the set-up test nyuu_install (tests/engine/endtoend.cmake) puts into the build.
tq_add_test(tst_ProgramEndToEnd SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ProgramEndToEnd.cpp TIMEOUT 900 LABELS interop)
target_compile_definitions(tst_ProgramEndToEnd PRIVATE
  TQ_INN2_SCRIPT="${PROJECT_SOURCE_DIR}/tests/engine/inn2-server.sh"
  TQ_NYUU="${CMAKE_BINARY_DIR}/npm/node_modules/.bin/nyuu")
set_tests_properties(tst_ProgramEndToEnd PROPERTIES FIXTURES_REQUIRED nyuu)
add_dependencies(tst_ProgramEndToEnd tessaquill unrar)
