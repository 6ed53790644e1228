# The product's floors: one static library a floor, each linking only the floors below it.
#
# A floor compiles its sources through a view of its own in the build tree: a folder per room
# it may see (its own and those of the floors below), holding a link per file. An include that
# runs up, written "../forms/x.h" or "forms/x.h", names a file the view does not have, and the
# build stops there. Every header of the floor is compiled once in the floor's view too, so a
# header that no source of its own floor includes is held to the same rule.
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
  file(REMOVE_RECURSE ${view})
  foreach(room ${seen})
    file(MAKE_DIRECTORY ${view}/src/${room})
    file(GLOB files LIST_DIRECTORIES false CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${room}/*)
    foreach(f ${files})
      get_filename_component(n ${f} NAME)
      file(CREATE_LINK ${f} ${view}/src/${room}/${n} SYMBOLIC)
    endforeach()
  endforeach()
  # Plain declarations shared with the IDE host, below every floor.
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/shared ${view}/shared SYMBOLIC)

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
  configure_file(${view}/headers.cpp.new ${HV_VIEWS}/${name}_headers.cpp COPYONLY)
  file(CREATE_LINK ${HV_VIEWS}/${name}_headers.cpp ${view}/headers.cpp SYMBOLIC)

  add_library(hv_${name} STATIC ${sources} ${view}/headers.cpp)
  target_include_directories(hv_${name} PUBLIC ${view}/src)
  list(TRANSFORM F_BELOW PREPEND hv_)
  if(F_BELOW)
    target_link_libraries(hv_${name} PUBLIC ${F_BELOW})
  endif()
endfunction()
