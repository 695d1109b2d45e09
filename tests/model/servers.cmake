tq_add_test(tst_NntpServer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_NntpServer.cpp)
