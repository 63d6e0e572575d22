# Fetches the Orbitron fonts (SIL Open Font License) from the npm registry and
# installs the four weights the program registers, with the licence beside them.
#   cmake -DDOWNLOAD_DIR=... -DFONT_DIR=... -P fetch-orbitron.cmake
set(package "@expo-google-fonts/orbitron")
set(version "0.4.2")
set(archive "${DOWNLOAD_DIR}/expo-google-fonts-orbitron-${version}.tgz")

file(MAKE_DIRECTORY "${DOWNLOAD_DIR}")
if(NOT EXISTS "${archive}")
  execute_process(COMMAND npm pack "${package}@${version}" --pack-destination "${DOWNLOAD_DIR}" --silent
                  RESULT_VARIABLE result OUTPUT_QUIET)
  if(NOT result EQUAL 0 OR NOT EXISTS "${archive}")
    message(FATAL_ERROR "npm pack ${package}@${version} failed (${result})")
  endif()
endif()

set(unpacked "${DOWNLOAD_DIR}/orbitron-${version}")
file(REMOVE_RECURSE "${unpacked}")
file(ARCHIVE_EXTRACT INPUT "${archive}" DESTINATION "${unpacked}")

file(MAKE_DIRECTORY "${FONT_DIR}")
foreach(pair "400Regular;Regular" "500Medium;Medium" "700Bold;Bold" "900Black;Black")
  list(GET pair 0 weight)
  list(GET pair 1 name)
  file(COPY_FILE "${unpacked}/package/${weight}/Orbitron_${weight}.ttf" "${FONT_DIR}/Orbitron-${name}.ttf")
endforeach()
file(COPY_FILE "${unpacked}/package/LICENSE_FONT" "${FONT_DIR}/OFL.txt")
file(REMOVE_RECURSE "${unpacked}")
