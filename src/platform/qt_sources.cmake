# The Qt-backed part of the platform layer.
add_library(zepo_platform_qt STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CardFilesOnDisk.cpp
)
target_include_directories(zepo_platform_qt PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zepo_platform_qt PUBLIC zepo_model zepo_platform_core zepo_imaging Qt6::Gui)

# What the editor shell needs of the platform: settings file, single instance, messages,
# modal dialogs, file dialogs, timers and folders.
add_library(zepo_platform_shell STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ProfileFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SingleInstance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Folders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Prompts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogRunner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileChooser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Scheduler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Launcher.cpp
)
target_include_directories(zepo_platform_shell PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zepo_platform_shell PUBLIC zepo_platform_qt zepo_model zepo_platform_core Qt6::Widgets)
