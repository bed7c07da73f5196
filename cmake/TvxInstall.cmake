# What `cmake --install` puts where: programs in bin; help pages and sample jobs in
# share/<program>; menu entries, icons and AppStream files where desktops look for them;
# manual pages of the command-line tools. The Quorlin pieces turn on once its window program
# exists. The programs find their shipped files from their own location (shipped_files.h).
include(GNUInstallDirs)

set(TVX_DATA_DIR ${PROJECT_SOURCE_DIR}/data)
set(TVX_GEN_DIR ${PROJECT_BINARY_DIR}/install-data)
find_program(TVX_RSVG_CONVERT rsvg-convert)
find_program(TVX_GZIP gzip)

# Icons: the SVG as drawn, and PNGs rendered from it at build time.
function(tvx_install_icon name)
  set(svg ${TVX_DATA_DIR}/icons/${name}.svg)
  install(FILES ${svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  if(NOT TVX_RSVG_CONVERT)
    message(WARNING "rsvg-convert not found: the ${name} PNG icons are not built "
                    "(install librsvg2-bin)")
    return()
  endif()
  set(pngs)
  foreach(size 48 256)
    set(png ${TVX_GEN_DIR}/icons/${size}/${name}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TVX_GEN_DIR}/icons/${size}
        COMMAND ${TVX_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
        DEPENDS ${svg} VERBATIM)
    install(FILES ${png}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    list(APPEND pngs ${png})
  endforeach()
  add_custom_target(${name}_icons ALL DEPENDS ${pngs})
endfunction()

# A file compressed with gzip -9n (manual pages, changelog), as Debian wants them.
function(tvx_gzip_file source output target)
  add_custom_command(OUTPUT ${output}
      COMMAND ${TVX_GZIP} -9nc ${source} > ${output}
      DEPENDS ${source} VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()

# One window program: its binary, shipped folder, menu entry, icon and AppStream file.
function(tvx_install_window_program program appid examples)
  install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  set(share ${CMAKE_INSTALL_DATADIR}/${program})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${share}/help)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/${examples}/ DESTINATION ${share}/examples
          FILES_MATCHING PATTERN "*.csv")
  install(FILES ${TVX_DATA_DIR}/${appid}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  configure_file(${TVX_DATA_DIR}/${appid}.metainfo.xml.in
                 ${TVX_GEN_DIR}/${appid}.metainfo.xml @ONLY)
  install(FILES ${TVX_GEN_DIR}/${appid}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  tvx_install_icon(${program})
  tvx_install_man_page(${program})
endfunction()

# The manual page man/<program>.1.in with the version filled in. Every installed program has
# one (Debian's policy), so a missing page stops the configuration.
function(tvx_install_man_page program)
  if(NOT EXISTS ${PROJECT_SOURCE_DIR}/man/${program}.1.in)
    message(FATAL_ERROR "man/${program}.1.in is missing: every installed program needs its page")
  endif()
  set(page ${TVX_GEN_DIR}/man/${program}.1)
  configure_file(${PROJECT_SOURCE_DIR}/man/${program}.1.in ${page} @ONLY)
  tvx_gzip_file(${page} ${page}.gz ${program}_manpage)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

# One command-line tool and its manual page.
function(tvx_install_cli_program program)
  install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  tvx_install_man_page(${program})
endfunction()

if(TARGET tavolex)
  tvx_install_window_program(tavolex org.tavolex.Tavolex panel)
endif()
if(TARGET quorlin)
  tvx_install_window_program(quorlin org.tavolex.Quorlin bar)
endif()
if(TARGET tavolex-cli)
  tvx_install_cli_program(tavolex-cli)
  # The command-line tool alone (no window) still brings the sample jobs.
  if(NOT TARGET tavolex)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/panel/
            DESTINATION ${CMAKE_INSTALL_DATADIR}/tavolex/examples FILES_MATCHING PATTERN "*.csv")
  endif()
endif()
if(TARGET quorlin-cli)
  tvx_install_cli_program(quorlin-cli)
  if(NOT TARGET quorlin)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/bar/
            DESTINATION ${CMAKE_INSTALL_DATADIR}/quorlin/examples FILES_MATCHING PATTERN "*.csv")
  endif()
endif()

# Debian wants a copyright file and a compressed changelog in the package's doc folder.
set(TVX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tavolex)
install(FILES ${TVX_DATA_DIR}/debian/copyright DESTINATION ${TVX_DOC_DIR})
configure_file(${TVX_DATA_DIR}/debian/changelog.in ${TVX_GEN_DIR}/changelog @ONLY)
tvx_gzip_file(${TVX_GEN_DIR}/changelog ${TVX_GEN_DIR}/changelog.gz tavolex_changelog)
install(FILES ${TVX_GEN_DIR}/changelog.gz DESTINATION ${TVX_DOC_DIR})
