tq_add_test(tst_NntpConnection SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_NntpConnection.cpp
  LIBS tessaquill_testsupport TIMEOUT 120)
