# Installs the built game into PREFIX and checks what a desktop, a software
# centre and man would find there.  Run by ctest (packaging/CMakeLists.txt):
#   cmake -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... -DVERSION=... -DRELEASE_DATE=...
#         -DICON_SIZES=16;32;... -DBINDIR=... -DDATADIR=... -DMANDIR=...
#         -DDESKTOP_FILE_VALIDATE=... -DAPPSTREAMCLI=... -DGROFF=... -P check-install.cmake
# Every fault found is listed before the script fails.

set(faults "")
macro(fault text)
  list(APPEND faults "${text}")
  message("FAULT: ${text}")
endmacro()

# Runs a validator and shows what it said; a fault unless it exits 0 and,
# with QUIET, says nothing at all.
macro(validate complaint)
  cmake_parse_arguments(check "QUIET" "" "COMMAND" ${ARGN})
  execute_process(COMMAND ${check_COMMAND} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  list(JOIN check_COMMAND " " shown)
  message("${shown}: exit ${rc}\n${out}")
  string(STRIP "${out}" out)
  if(NOT rc EQUAL 0 OR (check_QUIET AND NOT out STREQUAL ""))
    fault("${complaint}")
  endif()
endmacro()

foreach(tool DESKTOP_FILE_VALIDATE APPSTREAMCLI GROFF)
  if(NOT ${tool} OR NOT EXISTS "${${tool}}")
    message(FATAL_ERROR "${tool} not found; scripts/install-deps.sh installs it")
  endif()
endforeach()

# A DESTDIR in the environment would send the files elsewhere.
unset(ENV{DESTDIR})
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}")
endif()

# The program.
set(program "${PREFIX}/${BINDIR}/zanfria")
if(NOT EXISTS "${program}")
  fault("${BINDIR}/zanfria is not installed")
else()
  file(READ "${program}" magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "7f454c46")
    fault("${BINDIR}/zanfria is not an ELF program")
  endif()
  execute_process(COMMAND test -x "${program}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    fault("${BINDIR}/zanfria is not executable")
  endif()
endif()

# The desktop entry: valid, started by the installed program, showing our icon.
set(desktop "${PREFIX}/${DATADIR}/applications/${APP_ID}.desktop")
if(NOT EXISTS "${desktop}")
  fault("${DATADIR}/applications/${APP_ID}.desktop is not installed")
else()
  validate("desktop-file-validate complains about ${APP_ID}.desktop"
           QUIET COMMAND "${DESKTOP_FILE_VALIDATE}" "${desktop}")

  file(STRINGS "${desktop}" exec_lines REGEX "^Exec=")
  list(LENGTH exec_lines count)
  if(NOT count EQUAL 1)
    fault("the desktop entry has ${count} Exec lines, not one")
  else()
    string(REGEX REPLACE "^Exec=([^ ]*).*$" "\\1" exec "${exec_lines}")
    get_filename_component(exec_name "${exec}" NAME)
    if(NOT exec_name STREQUAL "zanfria" OR NOT EXISTS "${PREFIX}/${BINDIR}/${exec_name}")
      fault("the desktop entry starts '${exec}', which is not the installed ${BINDIR}/zanfria")
    endif()
  endif()
  file(STRINGS "${desktop}" icon_lines REGEX "^Icon=")
  if(NOT icon_lines STREQUAL "Icon=${APP_ID}")
    fault("the desktop entry shows icon '${icon_lines}', not Icon=${APP_ID}")
  endif()
endif()

# The AppStream metainfo: valid on its own and together with the desktop
# entry it launches; names this version and release date.
set(metainfo "${PREFIX}/${DATADIR}/metainfo/${APP_ID}.metainfo.xml")
if(NOT EXISTS "${metainfo}")
  fault("${DATADIR}/metainfo/${APP_ID}.metainfo.xml is not installed")
else()
  validate("appstreamcli validate rejects ${APP_ID}.metainfo.xml"
           COMMAND "${APPSTREAMCLI}" validate --no-net --strict --pedantic "${metainfo}")
  validate("appstreamcli validate-tree rejects the installed tree"
           COMMAND "${APPSTREAMCLI}" validate-tree --no-net --strict "${PREFIX}")

  file(READ "${metainfo}" xml)
  foreach(expected
          "<id>${APP_ID}</id>"
          "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
          "<binary>zanfria</binary>"
          "<release version=\"${VERSION}\" date=\"${RELEASE_DATE}\"/>")
    string(FIND "${xml}" "${expected}" at)
    if(at EQUAL -1)
      fault("the metainfo lacks ${expected}")
    endif()
  endforeach()
endif()

# The icons: a PNG of the right size in each hicolor folder, and the SVG.
foreach(size IN LISTS ICON_SIZES)
  set(png "${PREFIX}/${DATADIR}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png")
  if(NOT EXISTS "${png}")
    fault("no ${size}x${size} icon")
    continue()
  endif()
  file(READ "${png}" header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  if(NOT signature STREQUAL "89504e470d0a1a0a")
    fault("the ${size}x${size} icon is not a PNG")
    continue()
  endif()
  string(SUBSTRING "${header}" 32 8 width_hex)
  string(SUBSTRING "${header}" 40 8 height_hex)
  math(EXPR width "0x${width_hex}")
  math(EXPR height "0x${height_hex}")
  if(NOT width EQUAL size OR NOT height EQUAL size)
    fault("the ${size}x${size} icon is ${width}x${height}")
  endif()
endforeach()
set(svg "${PREFIX}/${DATADIR}/icons/hicolor/scalable/apps/${APP_ID}.svg")
if(NOT EXISTS "${svg}")
  fault("no scalable icon")
else()
  file(READ "${svg}" text)
  if(NOT text MATCHES "<svg[ \t\r\n]")
    fault("the scalable icon is not an SVG picture")
  endif()
endif()

# The manual page: section 6, this version, and roff that groff reads
# without a warning.
set(man "${PREFIX}/${MANDIR}/man6/zanfria.6")
if(NOT EXISTS "${man}")
  fault("${MANDIR}/man6/zanfria.6 is not installed")
else()
  file(STRINGS "${man}" th REGEX "^\\.TH ")
  if(NOT th MATCHES "^\\.TH ZANFRIA 6 \"${RELEASE_DATE}\" \"zanfria ${VERSION}\"")
    fault("the manual page's title line is '${th}'")
  endif()
  validate("groff warns about the manual page" QUIET COMMAND "${GROFF}" -man -ww -z "${man}")
endif()

if(faults)
  list(LENGTH faults count)
  message(FATAL_ERROR "${count} fault(s) in the installed game")
endif()
message("installed tree in ${PREFIX} is complete")
