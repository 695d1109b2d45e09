# The HTTP server for tests of the network access, the search and the browser: routes with
# canned or computed responses, a record of every request, and a proxy mode with log-in.
add_library(tessaquill_httptestsupport STATIC
  ${CMAKE_CURRENT_LIST_DIR}/HttpTestConnection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HttpTestConnection.h
  ${CMAKE_CURRENT_LIST_DIR}/HttpTestFetch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HttpTestFetch.h
  ${CMAKE_CURRENT_LIST_DIR}/HttpTestListener.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HttpTestListener.h
  ${CMAKE_CURRENT_LIST_DIR}/HttpTestServer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HttpTestServer.h)
target_include_directories(tessaquill_httptestsupport PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tessaquill_httptestsupport PUBLIC Qt5::Core Qt5::Network)

tq_add_test(tst_HttpTestServer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_HttpTestServer.cpp
  LIBS tessaquill_httptestsupport TIMEOUT 120)

add_executable(tq_http_test_server ${CMAKE_CURRENT_LIST_DIR}/HttpTestServerMain.cpp)
target_link_libraries(tq_http_test_server PRIVATE tessaquill_httptestsupport)
