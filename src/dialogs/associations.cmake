# The association dialog with its panel, and the frame and button dialogs.
add_library(zepo_association_dialogs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/FileList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Carddlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AssociationPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AssociationChooser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Frmdlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Btndlg.cpp
  ${PROJECT_SOURCE_DIR}/src/canvas/FrameEditing.cpp
  ${PROJECT_SOURCE_DIR}/src/platform/Launcher.cpp
)
set_target_properties(zepo_association_dialogs PROPERTIES AUTOMOC ON)
target_include_directories(zepo_association_dialogs PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zepo_association_dialogs PUBLIC zepo_dialogs zepo_drawing zepo_model Qt6::Widgets)
