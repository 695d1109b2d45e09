# The download manager: its queue, the hand-out of segments and the download results, a stress
# run of many connection threads against the queue operations, and its shutdown.
set(manager_support ${CMAKE_CURRENT_LIST_DIR}/ManagerTestSupport.h)
tq_add_test(tst_DownloadNzbManagerQueue SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DownloadNzbManagerQueue.cpp ${manager_support})
tq_add_test(tst_DownloadNzbManagerResults SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DownloadNzbManagerResults.cpp ${manager_support})
tq_add_test(tst_DownloadNzbManagerStress SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DownloadNzbManagerStress.cpp ${manager_support})
