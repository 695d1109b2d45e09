# The embedded web browser: the listing-page rewriter, tabs and pages, the controls on the
# main window's form, the files caught from pages, the favourites and options dialogs.
tq_add_gui_test(tst_ListingPageRewriter SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ListingPageRewriter.cpp
  LIBS tessaquill_httptestsupport TIMEOUT 180)
tq_add_gui_test(tst_BrowserTabWidget SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_BrowserTabWidget.cpp
  LIBS tessaquill_httptestsupport TIMEOUT 180)
tq_add_gui_test(tst_WebBrowserDownloads SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_WebBrowserDownloads.cpp
  LIBS tessaquill_httptestsupport TIMEOUT 240)
tq_add_gui_test(tst_WebBrowserTab SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_WebBrowserTab.cpp
  LIBS tessaquill_httptestsupport TIMEOUT 240)
tq_add_gui_test(tst_DialogWebOptions SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DialogWebOptions.cpp)
