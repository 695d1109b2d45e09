# The download list commands on a queue of NZBs, on the window built offscreen with the real
# engine. No D-Bus.
tq_add_gui_test(tst_MainWindowCommands SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindowCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTestAccess.h TIMEOUT 180)
set_property(TEST tst_MainWindowCommands APPEND PROPERTY ENVIRONMENT
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus"
  "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
