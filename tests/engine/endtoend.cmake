# The whole engine against INN 2 and the poster nyuu. nyuu comes from the npm registry into a
# folder of the build (never globally): the set-up test below installs it before the test runs.
set(tq_nyuu_folder ${CMAKE_BINARY_DIR}/npm)
add_test(NAME nyuu_install COMMAND ${PROJECT_SOURCE_DIR}/scripts/install-nyuu.sh ${tq_nyuu_folder})
set_tests_properties(nyuu_install PROPERTIES FIXTURES_SETUP nyuu TIMEOUT 900 LABELS interop)
tq_add_test(tst_EngineEndToEnd SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_EngineEndToEnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ManagerTestSupport.h TIMEOUT 900 LABELS interop)
target_compile_definitions(tst_EngineEndToEnd PRIVATE TQ_INN2_SCRIPT="${CMAKE_CURRENT_LIST_DIR}/inn2-server.sh"
  TQ_NYUU="${tq_nyuu_folder}/node_modules/.bin/nyuu")
set_tests_properties(tst_EngineEndToEnd PROPERTIES FIXTURES_REQUIRED nyuu)
add_dependencies(tst_EngineEndToEnd unrar)
