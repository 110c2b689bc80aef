# Puts the program-folder defaults beside the binary, never over a file the program has
# already written (the state files change as the program runs).
string(REPLACE "|" ";" FILES "${FILES}")
foreach(file IN LISTS FILES)
  get_filename_component(name "${file}" NAME)
  if(NOT EXISTS "${DEST}/${name}")
    file(COPY "${file}" DESTINATION "${DEST}")
  endif()
endforeach()
