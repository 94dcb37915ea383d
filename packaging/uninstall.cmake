# [DESTDIR=DIR] cmake -DMANIFEST=BUILD/install_manifest.txt -P uninstall.cmake
# Removes every file the last `cmake --install` of that build wrote, under the
# same DESTDIR (the manifest records the paths without it), then the program's
# own folders (share/quillmead, share/doc/quillmead) once they are empty.
# Folders shared with other programs (share/applications, the icon theme) are
# left in place.
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} does not exist (it is written by the install)")
endif()
file(STRINGS "${MANIFEST}" installed)
set(own_folders)
foreach(recorded IN LISTS installed)
  set(path "$ENV{DESTDIR}${recorded}")
  if(EXISTS "${path}" OR IS_SYMLINK "${path}")
    file(REMOVE "${path}")
    message(STATUS "Removed ${path}")
  endif()
  get_filename_component(folder "${path}" DIRECTORY)
  get_filename_component(name "${folder}" NAME)
  if(name STREQUAL "quillmead")
    list(APPEND own_folders "${folder}")
  endif()
endforeach()
list(REMOVE_DUPLICATES own_folders)
foreach(folder IN LISTS own_folders)
  file(GLOB left "${folder}/*")
  if(NOT left AND IS_DIRECTORY "${folder}")
    file(REMOVE_RECURSE "${folder}")
    message(STATUS "Removed ${folder}")
  endif()
endforeach()
