tq_add_test(tst_NzbModel SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_NzbModel.cpp)
tq_add_test(tst_NzbParser SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_NzbParser.cpp LIBS tessaquill_testsupport)
tq_add_test(tst_NzbPrepare SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_NzbPrepare.cpp)
tq_add_test(tst_NzbRecords SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_NzbRecords.cpp)
