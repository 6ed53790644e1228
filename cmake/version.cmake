# The one version of the add-in: VERSION at the top of the tree (major.minor.build). It becomes
# version.h (the About window's text, the version resources) and the installer's version.
file(STRINGS ${CMAKE_SOURCE_DIR}/VERSION HV_VERSION LIMIT_COUNT 1)
if(NOT HV_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "VERSION must read major.minor.build, not '${HV_VERSION}'")
endif()
set(HV_VERSION_MAJOR ${CMAKE_MATCH_1})
set(HV_VERSION_MINOR ${CMAKE_MATCH_2})
set(HV_VERSION_BUILD ${CMAKE_MATCH_3})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/VERSION)

# The About window writes it as v2.02.(0016): the minor number in two digits, the build in four.
function(hv_zero_pad value width out)
  string(LENGTH "${value}" n)
  while(n LESS width)
    string(PREPEND value "0")
    math(EXPR n "${n} + 1")
  endwhile()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()
hv_zero_pad(${HV_VERSION_MINOR} 2 HV_MINOR_2)
hv_zero_pad(${HV_VERSION_BUILD} 4 HV_BUILD_4)
set(HV_ABOUT_VERSION "v${HV_VERSION_MAJOR}.${HV_MINOR_2}.(${HV_BUILD_4})")

set(HV_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/cmake/version.h.in ${HV_GENERATED_DIR}/version.h @ONLY)
