# What an installed Tarvolinde shows the system: both programs name the project's
# version, and the desktop entry, file types and AppStream metadata pass the
# freedesktop validators.
set(version_programs tarvolinde-cli)
if(TARVOLINDE_GUI)
  list(APPEND version_programs tarvolinde)
endif()
foreach(program ${version_programs})
  add_test(NAME install.version.${program} COMMAND ${CMAKE_COMMAND}
    -DPROGRAM=$<TARGET_FILE:${program}> "-DEXPECTED=${program} ${PROJECT_VERSION}"
    -P ${CMAKE_CURRENT_SOURCE_DIR}/cli/scripts/check_version.cmake)
  # No display: --version must be answered before the window toolkit starts.
  set_tests_properties(install.version.${program} PROPERTIES
    ENVIRONMENT "DISPLAY=;WAYLAND_DISPLAY=;QT_QPA_PLATFORM=xcb")
endforeach()

add_test(NAME install.desktop_files COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/cli/scripts/check_desktop_files.sh
  ${CMAKE_SOURCE_DIR}/data ${PROJECT_VERSION})
set_tests_properties(install.desktop_files PROPERTIES SKIP_REGULAR_EXPRESSION "SKIP: ")
