# Every window and dialog in every shipped language, at its default size, shows its texts whole.
tq_add_gui_test(tst_WindowsFitTheirTexts SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_WindowsFitTheirTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowTestFixture.h TIMEOUT 240)
set_property(TEST tst_WindowsFitTheirTexts APPEND PROPERTY ENVIRONMENT
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus"
  "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")

# The main window on a screen of 1024 x 768 (a real X server: the offscreen screen is 800 x 600).
set(tq_small_screen_home ${CMAKE_BINARY_DIR}/test-home/tst_WindowsFitTheirTexts_1024x768)
file(MAKE_DIRECTORY ${tq_small_screen_home})
add_test(NAME tst_WindowsFitTheirTexts_1024x768
  COMMAND xvfb-run -a -s "-screen 0 1024x768x24" $<TARGET_FILE:tst_WindowsFitTheirTexts> mainWindowOpensOnTheScreen)
set_tests_properties(tst_WindowsFitTheirTexts_1024x768 PROPERTIES TIMEOUT 240 ENVIRONMENT
  "HOME=${tq_small_screen_home};QT_QPA_PLATFORM=xcb;TQ_TEST_DATA=${TQ_TEST_DATA_DIR};TQ_BIN_DIR=${CMAKE_RUNTIME_OUTPUT_DIRECTORY};XDG_CONFIG_HOME=${tq_small_screen_home}/.config;XDG_DATA_HOME=${tq_small_screen_home}/.local/share;XDG_CACHE_HOME=${tq_small_screen_home}/.cache;DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus;DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
