# Queue records that cannot be written (a read-only folder, a full disk): on the window built
# offscreen with the real engine, up to its exit. One exit per test program. No D-Bus.
tq_add_gui_test(tst_MainWindowQueueRecords SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindowQueueRecords.cpp TIMEOUT 120)
set_property(TEST tst_MainWindowQueueRecords APPEND PROPERTY ENVIRONMENT
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus"
  "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
