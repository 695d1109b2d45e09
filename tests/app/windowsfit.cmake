# Every window and dialog in every shipped language, at its default size, shows its texts whole.
tq_add_gui_test(tst_WindowsFitTheirTexts SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_WindowsFitTheirTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowTestFixture.h TIMEOUT 240)
set_property(TEST tst_WindowsFitTheirTexts APPEND PROPERTY ENVIRONMENT
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus"
  "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
