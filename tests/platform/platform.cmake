tq_add_test(tst_Aes SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_Aes.cpp)
tq_add_test(tst_DiskSpace SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DiskSpace.cpp)
