# Installs the built game into PREFIX and checks what a desktop, a software
# centre and man would find there.  Run by ctest (packaging/CMakeLists.txt):
#   cmake -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... -DVERSION=...
#         -DRELEASE_DATE=... -DICON_SIZES=16;32;... -DGAMESDIR=... -DDATADIR=...
#         -DMANDIR=... -DDOCDIR=... -DDESKTOP_FILE_VALIDATE=... -DAPPSTREAMCLI=...
#         -DGROFF=... -DMAN=... -P check-install.cmake
# Every fault found is listed before the script fails.

cmake_minimum_required(VERSION 3.25)

set(faults "")
macro(fault text)
  list(APPEND faults "${text}")
  message("FAULT: ${text}")
endmacro()

# Runs a validator and shows what it said; a fault unless it exits 0 and,
# with QUIET, says nothing at all or, with SAYING, says only what the
# regular expression matches.
macro(validate complaint)
  cmake_parse_arguments(check "QUIET" "SAYING" "COMMAND" ${ARGN})
  execute_process(COMMAND ${check_COMMAND} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  list(JOIN check_COMMAND " " shown)
  message("${shown}: exit ${rc}\n${out}")
  string(STRIP "${out}" out)
  if(NOT rc EQUAL 0 OR (check_QUIET AND NOT out STREQUAL "")
     OR (DEFINED check_SAYING AND NOT out MATCHES "${check_SAYING}"))
    fault("${complaint}")
  endif()
endmacro()

# A file made by gzip -9n: no name and no time inside, so the same text
# always gives the same bytes.
function(check_gzipped file what)
  file(READ "${file}" header LIMIT 10 HEX)
  if(NOT header STREQUAL "1f8b0800000000000203")
    fault("${what} is not compressed with gzip -9n (header ${header})")
  endif()
  set(faults "${faults}" PARENT_SCOPE)
endfunction()

foreach(tool DESKTOP_FILE_VALIDATE APPSTREAMCLI GROFF MAN)
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

# The program, in games/ like Debian's games.
set(program "${PREFIX}/${GAMESDIR}/zanfria")
if(NOT EXISTS "${program}")
  fault("${GAMESDIR}/zanfria is not installed")
else()
  file(READ "${program}" magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "7f454c46")
    fault("${GAMESDIR}/zanfria is not an ELF program")
  endif()
  execute_process(COMMAND test -x "${program}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    fault("${GAMESDIR}/zanfria is not executable")
  endif()
endif()
file(GLOB other_programs "${PREFIX}/bin/*")
if(other_programs)
  fault("programs outside ${GAMESDIR}/: ${other_programs}")
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
    if(NOT exec_name STREQUAL "zanfria" OR NOT EXISTS "${PREFIX}/${GAMESDIR}/${exec_name}")
      fault("the desktop entry starts '${exec}', which is not the installed ${GAMESDIR}/zanfria")
    endif()
  endif()
  file(STRINGS "${desktop}" icon_lines REGEX "^Icon=")
  if(NOT icon_lines STREQUAL "Icon=${APP_ID}")
    fault("the desktop entry shows icon '${icon_lines}', not Icon=${APP_ID}")
  endif()
endif()

# The AppStream metainfo: valid on its own and together with the desktop
# entry it launches, without even a pedantic note; names this version and
# release date.
set(metainfo "${PREFIX}/${DATADIR}/metainfo/${APP_ID}.metainfo.xml")
if(NOT EXISTS "${metainfo}")
  fault("${DATADIR}/metainfo/${APP_ID}.metainfo.xml is not installed")
else()
  set(no_note "^[^\n]*Validation was successful[.]$")
  validate("appstreamcli validate has something to say about ${APP_ID}.metainfo.xml"
           SAYING "${no_note}"
           COMMAND "${APPSTREAMCLI}" validate --no-net --strict --pedantic "${metainfo}")
  validate("appstreamcli validate-tree has something to say about the installed tree"
           SAYING "${no_note}"
           COMMAND "${APPSTREAMCLI}" validate-tree --no-net --strict --pedantic "${PREFIX}")

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

# The manual pages, in English and in Italian: compressed, of this version,
# roff that groff reads without a warning, found by man in each language,
# and each naming every option and every key.
find_program(GZIP gzip REQUIRED)
set(man_check "${PREFIX}-man")
file(REMOVE_RECURSE "${man_check}")
foreach(language C it)
  if(language STREQUAL "C")
    set(page "${MANDIR}/man6/zanfria.6.gz")
    set(heading "NAME")
  else()
    set(page "${MANDIR}/${language}/man6/zanfria.6.gz")
    set(heading "NOME")
  endif()
  if(NOT EXISTS "${PREFIX}/${page}")
    fault("${page} is not installed")
    continue()
  endif()
  check_gzipped("${PREFIX}/${page}" "${page}")
  set(roff "${man_check}/${language}.6")
  file(MAKE_DIRECTORY "${man_check}")
  execute_process(COMMAND "${GZIP}" -dc "${PREFIX}/${page}" OUTPUT_FILE "${roff}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    fault("${page} does not decompress")
    continue()
  endif()
  file(STRINGS "${roff}" th REGEX "^\\.TH ")
  if(NOT th MATCHES "^\\.TH ZANFRIA 6 \"${RELEASE_DATE}\" \"zanfria ${VERSION}\"")
    fault("the title line of ${page} is '${th}'")
  endif()
  validate("groff warns about ${page}" QUIET COMMAND "${GROFF}" -k -man -ww -z "${roff}")

  # man looks in the language folders of MANPATH's entries, not of -M's.
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=MANOPT --unset=LANGUAGE
                          LC_ALL=C.UTF-8 MANWIDTH=80 "MANPATH=${PREFIX}/${MANDIR}"
                          "${MAN}" -L ${language} 6 zanfria
                  RESULT_VARIABLE rc OUTPUT_VARIABLE shown ERROR_VARIABLE errors)
  if(NOT rc EQUAL 0 OR NOT shown MATCHES "(^|\n)${heading}\n")
    fault("man -L ${language} 6 zanfria does not show ${page} (exit ${rc}): ${errors}")
    continue()
  endif()
  foreach(named "--help" "--version" "Tab" "Enter|Invio" "Space|Spazio" "Alt\\+N" "Alt\\+C"
          "Alt\\+P" "Esc")
    if(NOT shown MATCHES "(^|[^A-Za-z])(${named})([^A-Za-z]|$)")
      fault("${page} does not name ${named}")
    endif()
  endforeach()
endforeach()

# The copyright, in Debian's machine-readable format, and the changelog,
# compressed, opening on this package's version.
set(copyright "${PREFIX}/${DOCDIR}/copyright")
if(NOT EXISTS "${copyright}")
  fault("${DOCDIR}/copyright is not installed")
else()
  file(STRINGS "${copyright}" format LIMIT_COUNT 1)
  file(STRINGS "${copyright}" licences REGEX "^License: ")
  if(NOT format STREQUAL "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"
     OR NOT "License: MIT" IN_LIST licences)
    fault("${DOCDIR}/copyright is not the MIT licence in Debian's copyright format")
  endif()
endif()
set(changelog "${PREFIX}/${DOCDIR}/changelog.gz")
if(NOT EXISTS "${changelog}")
  fault("${DOCDIR}/changelog.gz is not installed")
else()
  check_gzipped("${changelog}" "${DOCDIR}/changelog.gz")
  execute_process(COMMAND "${GZIP}" -dc "${changelog}" OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  string(REGEX MATCH "^[^\n]*" top "${text}")
  if(NOT rc EQUAL 0 OR NOT top MATCHES "^zanfria \\(${VERSION}\\) ")
    fault("the changelog opens with '${top}', not with version ${VERSION}")
  endif()
endif()

if(faults)
  list(LENGTH faults count)
  message(FATAL_ERROR "${count} fault(s) in the installed game")
endif()
message("installed tree in ${PREFIX} is complete")
