# The main window's server and connection tables, pause, bandwidth limit and statistics tick,
# on the real download manager with test news servers on 127.0.0.1. No D-Bus.
tq_add_gui_test(tst_MainWindowServers SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindowServers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTestAccess.h ${CMAKE_CURRENT_LIST_DIR}/TotalSpeedHold.h LIBS tessaquill_testsupport TIMEOUT 240)
set_property(TEST tst_MainWindowServers APPEND PROPERTY ENVIRONMENT
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus"
  "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
# The statistics tick's download-list tool tip and launcher-entry progress, on a private session
# bus (the test starts itself under dbus-run-session).
tq_add_gui_test(tst_MainWindowTick SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindowTick.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTestAccess.h ${CMAKE_CURRENT_LIST_DIR}/TotalSpeedHold.h LIBS tessaquill_dbustestsupport TIMEOUT 120)
