# The exchange operations against the simulated instrument in virtual time. Included by
# tests/CMakeLists.txt, and on its own by the ThreadSanitizer build (PORVEL_TSAN).
find_package(Threads REQUIRED)
add_executable(porvel_exchange_tests
  ${CMAKE_CURRENT_LIST_DIR}/test_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/virtual_clock.h
  ${CMAKE_CURRENT_LIST_DIR}/instrument_link.cpp ${CMAKE_CURRENT_LIST_DIR}/instrument_link.h
  ${CMAKE_CURRENT_LIST_DIR}/recording_view.cpp ${CMAKE_CURRENT_LIST_DIR}/recording_view.h
  ${CMAKE_CURRENT_LIST_DIR}/exchange_harness.cpp ${CMAKE_CURRENT_LIST_DIR}/exchange_harness.h
  # How a window shows an exchange and an editor's grid: QtCore only, without the rest of their
  # layers.
  ${PROJECT_SOURCE_DIR}/src/ui/exchange_progress.cpp
  ${PROJECT_SOURCE_DIR}/src/settings/editor_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_virtual_time_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exchange_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exchange_connect_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exchange_list_read_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exchange_list_write_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exchange_thread_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exchange_status_test.cpp
)
target_link_libraries(porvel_exchange_tests PRIVATE
  porvel_device porvel_sim_core GTest::gtest Threads::Threads)
gtest_discover_tests(porvel_exchange_tests DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES)
