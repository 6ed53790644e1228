# Brings a floor's view (cmake/floors.cmake) up to date with src/: copies what changed, with
# its time, so that only what changed is compiled again.
#   cmake -DSOURCE=<tree> -DVIEW=<view> -DROOMS=<room,...> -P sync_view.cmake
string(REPLACE "," ";" ROOMS "${ROOMS}")
foreach(room ${ROOMS})
  file(GLOB files LIST_DIRECTORIES false ${SOURCE}/src/${room}/*)
  file(COPY ${files} DESTINATION ${VIEW}/src/${room})
endforeach()
file(COPY ${SOURCE}/shared DESTINATION ${VIEW})
