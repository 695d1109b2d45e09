# The exit while a huge NZB is being added, on the window built offscreen with the real engine.
# One exit per test program: it stops the process's download manager for good. No D-Bus.
tq_add_gui_test(tst_MainWindowExitWhileAdding SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindowExitWhileAdding.cpp
  TIMEOUT 180)
set_property(TEST tst_MainWindowExitWhileAdding APPEND PROPERTY ENVIRONMENT
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus"
  "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
