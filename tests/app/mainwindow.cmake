# The main window in this process, built on the real download manager. No D-Bus: neither the
# desktop's session bus nor the machine's login manager is reached from here.
tq_add_gui_test(tst_MainWindow SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTestAccess.h LIBS tessaquill_httptestsupport tessaquill_testsupport TIMEOUT 180)
set_property(TEST tst_MainWindow APPEND PROPERTY ENVIRONMENT
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus"
  "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
tq_add_clock_variants(tst_MainWindow FUNCTIONS versionCheckRequest)
