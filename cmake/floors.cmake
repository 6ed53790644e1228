# The product's floors: one static library a floor, each linking only the floors below it.
#
# A floor compiles its sources in a view of its own in the build tree: a copy of each room it
# may see (its own and those of the floors below), refreshed before each build of the floor.
# An include that runs up, written "../forms/x.h" or "forms/x.h", names a file the view does
# not have, and the build stops there. (Copies, not links: a compiler cache resolves a link to
# the file it names, and the include would then be looked for beside the original.) Every
# header of the floor is compiled once in the view too, so a header that no source of its own
# floor includes is held to the same rule. Edit the files under src/, never the copies.
set(HV_VIEWS ${CMAKE_BINARY_DIR}/floors)

# hv_floor(NAME ROOMS room... [BELOW floor...] [SOURCES file...])
# ROOMS are folders under src/; their .cpp files are the floor's sources unless SOURCES names
# them (paths under src/). BELOW are the floors it stands on.
function(hv_floor name)
  cmake_parse_arguments(F "" "" "ROOMS;BELOW;SOURCES" ${ARGN})
  set(seen ${F_ROOMS})
  foreach(below ${F_BELOW})
    get_property(rooms GLOBAL PROPERTY HV_FLOOR_SEES_${below})
    list(APPEND seen ${rooms})
  endforeach()
  list(REMOVE_DUPLICATES seen)
  set_property(GLOBAL PROPERTY HV_FLOOR_SEES_${name} ${seen})

  set(view ${HV_VIEWS}/${name})
  file(REMOVE_RECURSE ${view}/src ${view}/shared)
  foreach(room ${seen})
    # Listed here so that a file added or removed configures the build again.
    file(GLOB files LIST_DIRECTORIES false CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${room}/*)
  endforeach()
  string(REPLACE ";" "," rooms "${seen}")
  set(sync ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR} -DVIEW=${view} -DROOMS=${rooms}
           -P ${CMAKE_SOURCE_DIR}/cmake/sync_view.cmake)
  execute_process(COMMAND ${sync} COMMAND_ERROR_IS_FATAL ANY)
  add_custom_target(hv_${name}_view COMMAND ${sync} VERBATIM)

  set(sources)
  if(F_SOURCES)
    foreach(s ${F_SOURCES})
      list(APPEND sources ${view}/${s})
    endforeach()
  else()
    foreach(room ${F_ROOMS})
      file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${room}/*.cpp)
      foreach(f ${files})
        get_filename_component(n ${f} NAME)
        list(APPEND sources ${view}/src/${room}/${n})
      endforeach()
    endforeach()
  endif()
  set(check "// Every header of this floor, seen from its view.\n")
  foreach(room ${F_ROOMS})
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${room}/*.h)
    foreach(h ${headers})
      get_filename_component(n ${h} NAME)
      string(APPEND check "#include \"src/${room}/${n}\"\n")
    endforeach()
  endforeach()
  file(WRITE ${view}/headers.cpp.new "${check}")
  configure_file(${view}/headers.cpp.new ${view}/headers.cpp COPYONLY)

  add_library(hv_${name} STATIC ${sources} ${view}/headers.cpp)
  target_include_directories(hv_${name} PUBLIC ${view}/src)
  add_dependencies(hv_${name} hv_${name}_view)
  list(TRANSFORM F_BELOW PREPEND hv_)
  if(F_BELOW)
    target_link_libraries(hv_${name} PUBLIC ${F_BELOW})
  endif()
endfunction()
