# The download list of the main window on the real download manager, the test news server and
# real par2. No D-Bus: neither the desktop's session bus nor the login manager is reached.
tq_add_gui_test(tst_MainWindowQueue SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindowQueue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTestAccess.h ${PROJECT_SOURCE_DIR}/tests/engine/SegmentBodyWriter.cpp
  ${PROJECT_SOURCE_DIR}/tests/engine/SegmentBodyWriter.h LIBS tessaquill_testsupport tessaquill_rartestsupport TIMEOUT 300)
# The clean-up of the whole road extracts with the project's unrar, found beside the test.
add_dependencies(tst_MainWindowQueue unrar)
set_property(TEST tst_MainWindowQueue APPEND PROPERTY ENVIRONMENT
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus"
  "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
