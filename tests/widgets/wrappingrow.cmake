# The row of widgets that goes on in lines below when its width runs out.
tq_add_gui_test(tst_WrappingRowLayout SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_WrappingRowLayout.cpp)
