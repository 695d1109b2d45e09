# The guided tour that scripts/screenshots.sh preloads into the real program under Xvfb to open
# every window and dialog one after the other. Built with the tests, run only by that script.
add_library(tq_screenshot_tour MODULE ${CMAKE_CURRENT_LIST_DIR}/ScreenshotTour.cpp)
target_link_libraries(tq_screenshot_tour PRIVATE Qt5::Widgets)
set_target_properties(tq_screenshot_tour PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
