# The main window in this process, built on the real download manager. No D-Bus: neither the
# desktop's session bus nor the machine's login manager is reached from here.
tq_add_gui_test(tst_MainWindow SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_MainWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTestAccess.h LIBS tessaquill_httptestsupport tessaquill_testsupport TIMEOUT 180)
set_property(TEST tst_MainWindow APPEND PROPERTY ENVIRONMENT
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus"
  "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
tq_add_clock_variants(tst_MainWindow FUNCTIONS versionCheckRequest)

# The wizard in front of the window after a first start with an NZB, on real X servers of two sizes.
foreach(tq_screen 1280x1024 1024x768)
  set(tq_wizard_home ${CMAKE_BINARY_DIR}/test-home/tst_MainWindow_wizard_${tq_screen})
  file(MAKE_DIRECTORY ${tq_wizard_home})
  add_test(NAME tst_MainWindow_wizard_${tq_screen}
    COMMAND xvfb-run -a -s "-screen 0 ${tq_screen}x24" $<TARGET_FILE:tst_MainWindow> wizardStaysInFrontOfAnNzbAddedAtFirstStart)
  set_tests_properties(tst_MainWindow_wizard_${tq_screen} PROPERTIES TIMEOUT 180 ENVIRONMENT
    "HOME=${tq_wizard_home};QT_QPA_PLATFORM=xcb;TQ_TEST_DATA=${TQ_TEST_DATA_DIR};TQ_BIN_DIR=${CMAKE_RUNTIME_OUTPUT_DIRECTORY};XDG_CONFIG_HOME=${tq_wizard_home}/.config;XDG_DATA_HOME=${tq_wizard_home}/.local/share;XDG_CACHE_HOME=${tq_wizard_home}/.cache;TESSAQUILL_VERSION_URL=http://127.0.0.1:1/version.txt;DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-session-bus;DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/tessaquill-system-bus")
endforeach()
