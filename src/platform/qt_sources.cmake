# The Qt-backed part of the platform layer.
add_library(zepo_platform_qt STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CardFilesOnDisk.cpp
)
target_include_directories(zepo_platform_qt PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zepo_platform_qt PUBLIC zepo_model zepo_platform_core Qt6::Gui)
