# The fault-injecting news server shared by the engine tests and the benchmarks, and a
# standalone program of it to point the application at by hand.
add_library(tessaquill_testsupport STATIC
  ${CMAKE_CURRENT_LIST_DIR}/NntpTestArticle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NntpTestArticle.h
  ${CMAKE_CURRENT_LIST_DIR}/NntpTestListener.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NntpTestListener.h
  ${CMAKE_CURRENT_LIST_DIR}/NntpTestServer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NntpTestServer.h
  ${CMAKE_CURRENT_LIST_DIR}/NntpTestSession.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NntpTestSession.h)
target_include_directories(tessaquill_testsupport PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tessaquill_testsupport PUBLIC Qt5::Core Qt5::Network)

add_executable(tq_nntp_test_server ${CMAKE_CURRENT_LIST_DIR}/NntpTestServerMain.cpp)
target_link_libraries(tq_nntp_test_server PRIVATE tessaquill_testsupport)
