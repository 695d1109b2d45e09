tq_add_gui_test(tst_AppTranslations SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_AppTranslations.cpp)
# The system language the empty setting falls back to.
set_property(TEST tst_AppTranslations APPEND PROPERTY ENVIRONMENT "LC_ALL=de_DE.UTF-8")
