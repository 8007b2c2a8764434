# What `cmake --install` puts beside the two programs (their own install() rules
# live with their targets): man pages, shell completion and, on Linux desktops,
# the udev rule, the desktop entry, the AppStream metainfo and the icons.
set(ORBIC40_APP_ID "io.github.orbic40.orbic40")

set(ORBIC40_UDEV_RULES_DIR ""
    CACHE STRING
    "Folder for 70-orbic40.rules (empty: /usr/lib/udev/rules.d for the /usr and /usr/local \
prefixes, <prefix>/lib/udev/rules.d for any other)")

# Man pages go in compressed (gzip -9n: no name or time stamp), as distributions ship them.
find_program(ORBIC40_GZIP gzip)
function(orbic40_install_man_page page)
  set(source "${PROJECT_SOURCE_DIR}/docs/man/${page}")
  if(ORBIC40_GZIP)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")
    execute_process(COMMAND "${ORBIC40_GZIP}" -9n -c "${source}"
                    OUTPUT_FILE "${PROJECT_BINARY_DIR}/man/${page}.gz" COMMAND_ERROR_IS_FATAL ANY)
    set(source "${PROJECT_BINARY_DIR}/man/${page}.gz")
  endif()
  install(FILES "${source}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endfunction()

file(MAKE_DIRECTORY "${PROJECT_BINARY_DIR}/man")
orbic40_install_man_page(orbic40-cli.1)
if(ORBIC40_BUILD_GUI)
  orbic40_install_man_page(orbic40.1)
endif()

if(UNIX AND NOT APPLE)
  install(FILES "${PROJECT_SOURCE_DIR}/packaging/linux/orbic40-cli.bash-completion"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions"
          RENAME orbic40-cli)

  # udev reads rules from /usr/lib and /etc only, never from /usr/local, so a
  # system install puts the rule there whatever the prefix; a private prefix
  # (a staging folder, /opt/...) keeps it inside the prefix. Decided at install
  # time, so `cmake --install --prefix` and DESTDIR are honoured.
  install(
    CODE "
    set(rulesDir \"${ORBIC40_UDEV_RULES_DIR}\")
    if(rulesDir STREQUAL \"\")
      if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\" OR CMAKE_INSTALL_PREFIX STREQUAL \"/usr/local\")
        set(rulesDir /usr/lib/udev/rules.d)
      else()
        set(rulesDir \"\${CMAKE_INSTALL_PREFIX}/lib/udev/rules.d\")
      endif()
    elseif(NOT IS_ABSOLUTE \"\${rulesDir}\")
      set(rulesDir \"\${CMAKE_INSTALL_PREFIX}/\${rulesDir}\")
    endif()
    file(INSTALL DESTINATION \"\${rulesDir}\" TYPE FILE
         FILES \"${PROJECT_SOURCE_DIR}/packaging/linux/70-orbic40.rules\")
    ")

  if(ORBIC40_BUILD_GUI)
    install(FILES "${PROJECT_SOURCE_DIR}/packaging/linux/${ORBIC40_APP_ID}.desktop"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
    install(FILES "${PROJECT_SOURCE_DIR}/packaging/linux/${ORBIC40_APP_ID}.metainfo.xml"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
    install(DIRECTORY "${PROJECT_SOURCE_DIR}/resources/icons/hicolor"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")
  endif()
endif()
