# Servers files (writer, readers, the older file's password converter), the check list of the
# servers import and export with the two flows of the settings dialog's buttons.
tq_add_gui_test(tst_ServersFiles SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ServersFiles.cpp
  LIBS tessaquill_processtestsupport TIMEOUT 120)
tq_add_gui_test(tst_DialogImportExportServers
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DialogImportExportServers.cpp)
tq_add_gui_test(tst_DialogSettingsServers
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DialogSettingsServers.cpp)
