# The desktop entry and icon as scripts/install-desktop-entry.sh installs them (checked with
# desktop-file-validate, package desktop-file-utils).
tq_add_gui_test(tst_DesktopEntry SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_DesktopEntry.cpp)
target_compile_definitions(tst_DesktopEntry PRIVATE TQ_PROJECT_DIR="${PROJECT_SOURCE_DIR}")
