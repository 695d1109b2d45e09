# Stand-ins for the desktop's D-Bus services and listeners, for tests that run on a private
# session bus (PrivateSessionBus.h).
add_library(tessaquill_dbustestsupport STATIC
  ${CMAKE_CURRENT_LIST_DIR}/FakeLoginManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakeLoginManager.h
  ${CMAKE_CURRENT_LIST_DIR}/FakeGnomeSessionManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakeGnomeSessionManager.h
  ${CMAKE_CURRENT_LIST_DIR}/FakePowerManagement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakePowerManagement.h
  ${CMAKE_CURRENT_LIST_DIR}/LauncherEntryListener.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LauncherEntryListener.h
  ${CMAKE_CURRENT_LIST_DIR}/PrivateSessionBus.h)
target_include_directories(tessaquill_dbustestsupport PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tessaquill_dbustestsupport PUBLIC Qt5::Core Qt5::DBus)
