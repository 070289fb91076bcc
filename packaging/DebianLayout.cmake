# Run by the install step: in CPack's staging folder only (ZEPO_DEBIAN_LAYOUT), it adds the
# changelog and compresses it and the manual pages as Debian keeps them (gzip -9n: no name or
# time stamp inside, so a rebuild gives the same bytes).
if(NOT ZEPO_DEBIAN_LAYOUT)
  return()
endif()
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
file(COPY_FILE "${ZEPO_PACKAGE_CHANGELOG}" "${root}/share/doc/zepo-editor/changelog")
file(GLOB pages "${root}/share/man/man1/*.1")
foreach(file "${root}/share/doc/zepo-editor/changelog" ${pages})
  execute_process(COMMAND gzip -9nf "${file}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip could not compress ${file}")
  endif()
endforeach()
