# The exit of the main window when it has to wait for a clean-up, on the window built offscreen
# with the real engine; a later start is played by the single-instance probe. One exit per test
# program: it stops the process's download manager for good. No D-Bus.
tq_add_gui_test(tst_MainWindowExit SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindowExit.cpp TIMEOUT 180)
add_dependencies(tst_MainWindowExit tq_single_instance_probe)
set_property(TEST tst_MainWindowExit APPEND PROPERTY ENVIRONMENT
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus"
  "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
