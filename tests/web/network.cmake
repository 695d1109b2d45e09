# Network access: proxy choice, proxy and site log-in, certificates, disk cache, time-out.
tq_add_gui_test(tst_NetworkAccessManager SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_NetworkAccessManager.cpp
  LIBS tessaquill_httptestsupport TIMEOUT 120)
target_include_directories(tst_NetworkAccessManager PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../config)
