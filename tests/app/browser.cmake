# The web browser tab of the main window, built on the real download manager, every page served
# by the test server. No D-Bus, as for the main window's own test.
tq_add_gui_test(tst_MainWindowBrowser SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindowBrowser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTestAccess.h LIBS tessaquill_httptestsupport tessaquill_testsupport TIMEOUT 240)
set_property(TEST tst_MainWindowBrowser APPEND PROPERTY ENVIRONMENT
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus"
  "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
