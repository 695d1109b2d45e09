# Helpers for window tests: modal windows answered from the test (ModalAnswerer), pictures for
# review under <build>/screenshots (WidgetPicture) and a temporary home with its settings store
# (GuiTestHome). A window test is added with
#
#   tq_add_gui_test(<name> SOURCES <files...> [LIBS <targets...>] [TIMEOUT <s>] [LABELS <l...>])
#
# which is tq_add_test linked with the GUI library and these helpers, finds the forms of
# src/forms for `#include "ui_<Form>.h"`, and keeps Qt's settings store in the test's home.
add_library(tessaquill_guitestsupport STATIC
  ${CMAKE_CURRENT_LIST_DIR}/GuiTestHome.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GuiTestHome.h
  ${CMAKE_CURRENT_LIST_DIR}/ModalAnswerer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ModalAnswerer.h
  ${CMAKE_CURRENT_LIST_DIR}/WidgetPicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WidgetPicture.h)
target_include_directories(tessaquill_guitestsupport PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tessaquill_guitestsupport PUBLIC tessaquill_gui Qt5::Test Qt5::Widgets)
target_compile_definitions(tessaquill_guitestsupport PRIVATE
  TQ_SCREENSHOT_DIR="${CMAKE_BINARY_DIR}/screenshots")

function(tq_add_gui_test name)
  cmake_parse_arguments(G "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  set(extra)
  if(G_TIMEOUT)
    list(APPEND extra TIMEOUT ${G_TIMEOUT})
  endif()
  if(G_LABELS)
    list(APPEND extra LABELS ${G_LABELS})
  endif()
  tq_add_test(${name} SOURCES ${G_SOURCES}
    LIBS tessaquill_gui tessaquill_guitestsupport ${G_LIBS} ${extra})
  set_target_properties(${name} PROPERTIES AUTOUIC_SEARCH_PATHS ${PROJECT_SOURCE_DIR}/src/forms)
  set(home ${CMAKE_BINARY_DIR}/test-home/${name})
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
    "XDG_CONFIG_HOME=${home}/.config" "XDG_DATA_HOME=${home}/.local/share"
    "XDG_CACHE_HOME=${home}/.cache")
endfunction()

tq_add_gui_test(tst_GuiTestSupport SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_GuiTestSupport.cpp)
