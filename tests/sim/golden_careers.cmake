# SPDX-License-Identifier: GPL-3.0-or-later
# Seven whole careers, each from a fixed seed to his retirement, must end in
# the very files they ended in when the rules were last changed on purpose:
# the save, the season and career histories, and the transcript of every
# week, message and story (kept as its SHA-256, the histories showing where a
# career went another way). A rule that changes by accident, a table entry,
# a threshold, the odds of an event, changes one of them.
#
#   cmake -DSIM=<kickmark-sim> -DWORK=<scratch folder> -DGOLDEN=<tests/sim/golden>
#         [-DRUNNER=node] [-DUPDATE=1] -P golden_careers.cmake
#
# RUNNER runs a kickmark-sim.js built for Node (the web preset): the
# WebAssembly build must end in the very same files as the native one.
#
# UPDATE=1 writes the files anew into GOLDEN, after a change of the rules
# that is meant (scripts/test -R sim.golden with KICKMARK_UPDATE_GOLDEN=1).
file(REMOVE_RECURSE "${WORK}")
if("$ENV{KICKMARK_UPDATE_GOLDEN}")
  set(UPDATE 1)
endif()
# The golden files are the native build's: the WebAssembly build only ever
# compares with them (scripts/test updates them natively first).
if(RUNNER)
  set(UPDATE "")
endif()

# name; seed; policy; then the new career's answers. A career for each kind
# of position (full back, back flank, midfield, forward flank, full forward),
# from every home state, some starting with little skill and some with much,
# so that between them they pass through every band of the match tables and
# every competition.
set(careers
  "journeyman|11|default|--name|Jack Dyer|--city|Ballarat|--state|Victoria|--position|Rover|--skills|70,60,55,65,80"
  "champion|8|default|--name|Leigh Matthews|--city|Perth|--state|Western Australia|--position|Centre|--skills|100,100,100,100,100"
  "idler|5|passive|--name|Jason Akermanis|--city|Cairns|--state|Queensland|--position|Wing|--height|178|--weight|72|--skills|40,35,50,45,60"
  "fullback|21|default|--name|Stephen Silvagni|--city|Wagga|--state|New South Wales|--position|Full Back|--height|195|--weight|96|--skills|15,12,18,10,20"
  "flanker|34|default|--name|Russell Ebert|--city|Whyalla|--state|South Australia|--position|Back Flank|--skills|20,25,15,30,10"
  "forward|55|default|--name|Darrel Baldock|--city|Devonport|--state|Tasmania|--position|Forward Flank|--skills|50,40,30,60,45"
  "fullforward|89|default|--name|Michael Long|--city|Darwin|--state|Northern Territory|--position|Full Forward|--height|200|--weight|104|--skills|90,70,60,95,75"
)

set(failures "")
foreach(career IN LISTS careers)
  string(REPLACE "|" ";" fields "${career}")
  list(POP_FRONT fields name seed policy)
  set(folder "${WORK}/${name}")
  file(MAKE_DIRECTORY "${folder}")
  execute_process(
    COMMAND ${RUNNER} "${SIM}" --data-dir "${folder}" --seed ${seed} --no-sync
            --transcript "${folder}/new.txt" new --career ${name} ${fields}
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${name}: new career refused (${result}): ${err}")
  endif()
  execute_process(
    COMMAND ${RUNNER} "${SIM}" --data-dir "${folder}" --seed ${seed} --no-sync
            --transcript "${folder}/play.txt" play --career ${name} --to-end --policy ${policy}
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${name}: play --to-end ended with ${result}: ${err}")
  endif()

  file(READ "${folder}/new.txt" opening)
  file(READ "${folder}/play.txt" weeks)
  string(SHA256 transcript "${opening}${weeks}")
  file(WRITE "${folder}/transcript.sha256" "${transcript}\n")
  file(GLOB histories RELATIVE "${folder}" "${folder}/*History.txt")
  set(kept "${name}.kms" transcript.sha256 ${histories})

  foreach(file IN LISTS kept)
    # The player's name starts the histories' names; the golden copies go by
    # the career's.
    string(REGEX REPLACE "^.* (Season|Career) History" "\\1 History" stored "${file}")
    set(golden "${GOLDEN}/${name}/${stored}")
    if(UPDATE)
      configure_file("${folder}/${file}" "${golden}" COPYONLY)
      continue()
    endif()
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${folder}/${file}" "${golden}"
                    RESULT_VARIABLE differs)
    if(differs)
      string(APPEND failures "  ${name}: ${file} differs from ${golden}\n")
    endif()
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "The careers went another way:\n${failures}"
          "Compare the files under ${WORK} with tests/sim/golden; if the change of the rules "
          "is meant, write them anew: KICKMARK_UPDATE_GOLDEN=1 scripts/test -R sim.golden")
endif()
