tq_add_test(tst_Logger SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_Logger.cpp)
tq_add_clock_variants(tst_Logger FUNCTIONS lineLayout)
