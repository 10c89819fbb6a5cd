# SPDX-License-Identifier: GPL-3.0-or-later
# Every translation gives every marked text: lupdate merges today's texts into a copy of each .ts file,
# and the copy may hold nothing unfinished (a new or changed text) and nothing vanished (a dropped one).
# cmake -DLUPDATE=... -DSOURCE_DIR=... -DTEXT_SOURCES="a.h|b.h" -DWORK_DIR=... -P check_translations.cmake
string(REPLACE "|" ";" text_sources "${TEXT_SOURCES}")
file(GLOB ts_files ${SOURCE_DIR}/translations/quivra_*.ts)
if(NOT ts_files)
  message(FATAL_ERROR "no translations in ${SOURCE_DIR}/translations")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
foreach(ts IN LISTS ts_files)
  get_filename_component(name ${ts} NAME)
  file(COPY ${ts} DESTINATION ${WORK_DIR})
  execute_process(COMMAND ${LUPDATE} ${text_sources} -locations none -ts ${WORK_DIR}/${name}
                  RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE report)
  if(NOT status EQUAL 0 OR NOT report MATCHES "Found [1-9][0-9]* source text")
    message(FATAL_ERROR "lupdate failed on ${name}: ${report}")
  endif()
  file(STRINGS ${WORK_DIR}/${name} stale
       REGEX "type=\"(unfinished|vanished|obsolete)\"|<translation></translation>|<translation/>")
  list(LENGTH stale count)
  if(count GREATER 0)
    message(FATAL_ERROR "${name}: ${count} text(s) without a finished translation; run "
                        "`cmake --build build --target update_translations` and translate them:\n${report}")
  endif()
endforeach()
