# Every string the front end marks for translation has a translation in every
# language, and the .ts files hold exactly the strings of today's sources.
# Run by CTest: cmake -DLUPDATE=... -DSOURCE_DIR=... -DWORK_DIR=... -P translations_check.cmake
file(GLOB ts_files ${SOURCE_DIR}/translations/*.ts)
file(GLOB sources ${SOURCE_DIR}/frontend/*.cpp ${SOURCE_DIR}/frontend/*.h)
if(NOT ts_files)
  message(FATAL_ERROR "no .ts files under ${SOURCE_DIR}/translations")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
set(failed "")
foreach(ts ${ts_files})
  get_filename_component(name ${ts} NAME)
  file(READ ${ts} text)
  if(text MATCHES "type=\"unfinished\"" OR text MATCHES "<translation></translation>|<translation/>")
    string(APPEND failed "${name}: untranslated strings (scripts/update-translations.sh lists them)\n")
  endif()
  # lupdate into a copy: any string it adds or drops means the file is behind the sources.
  file(COPY ${ts} DESTINATION ${WORK_DIR})
  execute_process(COMMAND ${LUPDATE} -silent -I ${SOURCE_DIR} -source-language es -locations none -no-obsolete
                          ${sources} -ts ${WORK_DIR}/${name} RESULT_VARIABLE result)
  file(STRINGS ${ts} before REGEX "<name>|<source>")
  file(STRINGS ${WORK_DIR}/${name} after REGEX "<name>|<source>")
  if(NOT result EQUAL 0 OR NOT before STREQUAL after)
    string(APPEND failed "${name}: not up to date with the sources (run scripts/update-translations.sh)\n")
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "${failed}")
endif()
