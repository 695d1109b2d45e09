tq_add_test(tst_UtilsFilesFolders SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_UtilsFilesFolders.cpp)
tq_add_test(tst_AppConfiguration SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_AppConfiguration.cpp)
tq_add_test(tst_ConfigurationFile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ConfigurationFile.cpp)
tq_add_test(tst_ServersConfiguration SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ServersConfiguration.cpp)
tq_add_test(tst_LogSetup SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_LogSetup.cpp)
tq_add_clock_variants(tst_LogSetup)
tq_add_test(tst_NzbConfiguration SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_NzbConfiguration.cpp)
tq_add_clock_variants(tst_NzbConfiguration)
tq_add_test(tst_SyncedFileBatch SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_SyncedFileBatch.cpp)


tq_add_test(tst_QueueCrash SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_QueueCrash.cpp TIMEOUT 120)
tq_add_test(tst_Startup SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_Startup.cpp)
tq_add_test(tst_FileNameLimit SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_FileNameLimit.cpp)
