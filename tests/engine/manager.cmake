# The download manager: its queue, the hand-out of segments and the download results, a stress
# run of many connection threads against the queue operations, and its shutdown.
set(manager_support ${CMAKE_CURRENT_LIST_DIR}/ManagerTestSupport.h)
tq_add_test(tst_DownloadNzbManagerQueue SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DownloadNzbManagerQueue.cpp ${manager_support})
tq_add_test(tst_DownloadNzbManagerResults SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DownloadNzbManagerResults.cpp ${manager_support})
tq_add_test(tst_DownloadNzbManagerStress SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DownloadNzbManagerStress.cpp ${manager_support})

# What the main window does with the manager around exit, as a program of its own.
add_executable(tq_manager_exit ${CMAKE_CURRENT_LIST_DIR}/ManagerExitMain.cpp)
target_link_libraries(tq_manager_exit PRIVATE tessaquill_core tessaquill_processtestsupport)
tq_add_test(tst_DownloadNzbManagerLifecycle SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DownloadNzbManagerLifecycle.cpp
  ${manager_support} TIMEOUT 300)
add_dependencies(tst_DownloadNzbManagerLifecycle tq_manager_exit)
