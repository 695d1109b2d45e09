tq_add_test(tst_NntpConnection SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_NntpConnection.cpp
  LIBS tessaquill_testsupport TIMEOUT 120)

# Against INN 2, started by the test itself through inn2-server.sh (needs root and inn2).
tq_add_test(tst_NntpInn2 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_NntpInn2.cpp
  LIBS tessaquill_testsupport TIMEOUT 180 LABELS interop)
target_compile_definitions(tst_NntpInn2 PRIVATE TQ_INN2_SCRIPT="${CMAKE_CURRENT_LIST_DIR}/inn2-server.sh")
