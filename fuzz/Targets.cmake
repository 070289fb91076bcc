# The fuzz targets: each one's entry point and what it links. Used by fuzz/CMakeLists.txt (the
# libFuzzer programs, clang only) and by tests/fuzz (the committed corpus replayed in every
# test run with the ordinary compiler).
set(ZEPO_FUZZ_TARGETS fuzz_card_reader fuzz_bmp fuzz_jpeg fuzz_settings fuzz_midi)
# Composing cards draws with Qt, so only a build with the Qt layers has it.
if(ZEPO_BUILD_GUI)
  list(APPEND ZEPO_FUZZ_TARGETS fuzz_card_render)
endif()

function(zepo_fuzz_target_inputs target exe)
  set(dir ${PROJECT_SOURCE_DIR}/fuzz)
  target_include_directories(${exe} PRIVATE ${dir} ${PROJECT_SOURCE_DIR}/src)
  if(target STREQUAL "fuzz_card_reader")
    target_sources(${exe} PRIVATE ${dir}/CardReaderFuzz.cpp)
    # The reader's test fakes (tests/support/ModelFakes.h) serve the save folder.
    target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    target_link_libraries(${exe} PRIVATE zepo_model)
  elseif(target STREQUAL "fuzz_card_render")
    target_sources(${exe} PRIVATE ${dir}/CardRenderFuzz.cpp)
    target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    target_link_libraries(${exe} PRIVATE zepo_render)
  elseif(target STREQUAL "fuzz_bmp")
    target_sources(${exe} PRIVATE ${dir}/BmpFuzz.cpp)
    target_link_libraries(${exe} PRIVATE zepo_imaging)
  elseif(target STREQUAL "fuzz_jpeg")
    target_sources(${exe} PRIVATE ${dir}/JpegFuzz.cpp)
    target_link_libraries(${exe} PRIVATE zepo_imaging)
  elseif(target STREQUAL "fuzz_settings")
    # The settings file and the editor's reading and writing of it, without the rest of the
    # platform layer, which needs Qt.
    target_sources(${exe} PRIVATE ${dir}/SettingsFuzz.cpp ${PROJECT_SOURCE_DIR}/src/platform/ProfileFile.cpp
                                  ${PROJECT_SOURCE_DIR}/src/platform/Settings.cpp
                                  ${PROJECT_SOURCE_DIR}/src/platform/PrivateFolder.cpp)
    target_link_libraries(${exe} PRIVATE zepo_model zepo_core)
  elseif(target STREQUAL "fuzz_midi")
    target_sources(${exe} PRIVATE ${dir}/MidiFuzz.cpp)
    target_link_libraries(${exe} PRIVATE zepo_media)
  else()
    message(FATAL_ERROR "unknown fuzz target ${target}")
  endif()
endfunction()
