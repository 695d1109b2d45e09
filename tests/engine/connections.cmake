# The connection threads against the test news server: one connection at a time, two servers
# of four connections each, bandwidth shares, speeds and byte counts, and the exit of a program
# with connections in the middle of bodies.
set(connection_support ${CMAKE_CURRENT_LIST_DIR}/ConnectionTestSupport.h ${CMAKE_CURRENT_LIST_DIR}/ManagerTestSupport.h)
tq_add_test(tst_ThreadNntp SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ThreadNntp.cpp ${connection_support}
  LIBS tessaquill_testsupport TIMEOUT 300)
tq_add_test(tst_DownloadNzbManagerConnections SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DownloadNzbManagerConnections.cpp
  ${connection_support} LIBS tessaquill_testsupport TIMEOUT 300)
tq_add_test(tst_DownloadNzbManagerSpeeds SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DownloadNzbManagerSpeeds.cpp
  ${connection_support} LIBS tessaquill_testsupport TIMEOUT 300)

add_executable(tq_connections_exit ${CMAKE_CURRENT_LIST_DIR}/ConnectionsExitMain.cpp ${connection_support})
target_link_libraries(tq_connections_exit PRIVATE tessaquill_core tessaquill_testsupport)
add_dependencies(tst_DownloadNzbManagerConnections tq_connections_exit)
