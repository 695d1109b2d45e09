# The download list commands while an NZB is decoded or post-processed, on the main window with the
# real download manager, the test news server, real par2 and the bundled unrar.
tq_add_gui_test(tst_MainWindowCommandsDuringWork SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindowCommandsDuringWork.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTestAccess.h ${CMAKE_CURRENT_LIST_DIR}/NewsPostingFixture.h
  ${PROJECT_SOURCE_DIR}/tests/engine/SegmentBodyWriter.cpp ${PROJECT_SOURCE_DIR}/tests/engine/SegmentBodyWriter.h
  LIBS tessaquill_testsupport tessaquill_rartestsupport TIMEOUT 300)
add_dependencies(tst_MainWindowCommandsDuringWork unrar)
set_property(TEST tst_MainWindowCommandsDuringWork APPEND PROPERTY ENVIRONMENT
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus"
  "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
