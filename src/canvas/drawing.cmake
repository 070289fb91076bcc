# How objects look: borders, frame faces. Plain Qt Gui, shared by the canvas and the preview.
add_library(zepo_drawing STATIC
  ${CMAKE_CURRENT_LIST_DIR}/StyleLabels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BorderDrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FramePainting.cpp
)
target_include_directories(zepo_drawing PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zepo_drawing PUBLIC zepo_model Qt6::Gui)
