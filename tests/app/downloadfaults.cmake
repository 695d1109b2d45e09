# Downloads that go wrong, on the main window with the real download manager, the test news
# server and real par2: a Download folder that fills (a tmpfs where the test may mount, else a
# file size limit), articles that never arrive, names too long, a damaged second download.
tq_add_gui_test(tst_MainWindowDownloadFaults SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindowDownloadFaults.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTestAccess.h ${CMAKE_CURRENT_LIST_DIR}/NewsPostingFixture.h
  ${PROJECT_SOURCE_DIR}/tests/engine/SegmentBodyWriter.cpp
  ${PROJECT_SOURCE_DIR}/tests/engine/SegmentBodyWriter.h LIBS tessaquill_testsupport tessaquill_rartestsupport TIMEOUT 300)
add_dependencies(tst_MainWindowDownloadFaults unrar)
set_property(TEST tst_MainWindowDownloadFaults APPEND PROPERTY ENVIRONMENT
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus"
  "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
