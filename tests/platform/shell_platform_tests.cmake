# Tests of the shell's platform pieces: settings file, single instance, folders, writing.
zepo_add_test(shell_platform_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ProfileFileTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ShellPlatformTest.cpp
  LIBS zepo_platform_shell)
