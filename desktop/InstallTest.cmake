# cmake -DBUILD_DIR=... -DPREFIX=... -DPROGRAM=... -DGIO=... -DEXAMPLES=... -DTEST_DATA=...
#       -DMANPAGE=0|1 -P InstallTest.cmake
# Installs the build into PREFIX as a release build and checks the stripped program, the menu
# entry, the file type, the software-centre description, the icons, the manual page (when the
# build made one), the licence and the example forecasts; where
# update-mime-database is present, that the four extensions map to the type, and where gio is,
# that a forecast without its extension is known by its content. Then uninstalls by the
# manifest and checks that every file went and the type is gone from the refreshed cache.
set(type application/x-varnobel-forecast)

# The install writes its manifest into the build folder; a real install's manifest, which the
# uninstall target reads, must survive the test's.
set(manifest "${BUILD_DIR}/install_manifest.txt")
set(saved_manifest "${PREFIX}-saved-manifest.txt")
file(REMOVE "${saved_manifest}")
if(EXISTS "${manifest}")
  file(COPY_FILE "${manifest}" "${saved_manifest}")
endif()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                        --config Release
                RESULT_VARIABLE result OUTPUT_QUIET)
file(COPY_FILE "${manifest}" "${PREFIX}-manifest.txt")
if(EXISTS "${saved_manifest}")
  file(RENAME "${saved_manifest}" "${manifest}")
else()
  file(REMOVE "${manifest}")
endif()
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
  bin/varnobel-view
  share/applications/varnobel-view.desktop
  share/mime/packages/varnobel-view.xml
  share/metainfo/com.varnobel.viewer.metainfo.xml
  share/icons/hicolor/scalable/apps/varnobel-view.svg
  share/icons/hicolor/48x48/apps/varnobel-view.png
  share/icons/hicolor/256x256/apps/varnobel-view.png
  share/doc/varnobel-viewer/copyright
  share/doc/varnobel-viewer/examples/sample.cfs
  share/doc/varnobel-viewer/examples/basic.cfb)
if(MANPAGE)
  list(APPEND expected share/man/man1/varnobel-view.1.gz)
endif()
foreach(path IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

# The Debian changelog is the package's alone.
if(EXISTS "${PREFIX}/share/doc/varnobel-viewer/changelog.Debian.gz")
  message(FATAL_ERROR "cmake --install placed the Debian package's changelog")
endif()

# Stripping drops at least the symbol table, so the installed program is the smaller.
file(SIZE "${PROGRAM}" built_size)
file(SIZE "${PREFIX}/bin/varnobel-view" installed_size)
if(NOT installed_size LESS built_size)
  message(FATAL_ERROR "the release install is not stripped: ${installed_size} bytes installed, "
                      "${built_size} built")
endif()

file(READ "${PREFIX}/share/applications/varnobel-view.desktop" entry)
foreach(line "Exec=varnobel-view %f" "Icon=varnobel-view" "MimeType=${type};" "Actions=Print;"
             "[Desktop Action Print]" "Exec=varnobel-view --print %f")
  string(FIND "${entry}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the menu entry lacks \"${line}\"")
  endif()
endforeach()

find_program(update_mime update-mime-database)
if(update_mime)
  file(READ "${PREFIX}/share/mime/globs2" globs)
  foreach(extension cfb cfs cfa cff)
    string(FIND "${globs}" "${type}:*.${extension}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "*.${extension} does not map to the forecast type")
    endif()
  endforeach()
endif()

# Forecasts without an extension: the wide header, the auto-recovery prefix, a narrow header of
# an old file; and two files that are not forecasts.
if(update_mime AND GIO)
  set(samples "${PREFIX}/samples")
  file(MAKE_DIRECTORY "${samples}")
  file(COPY_FILE "${EXAMPLES}/sample.cfs" "${samples}/wide")
  file(COPY_FILE "${TEST_DATA}/recovery-header-2.1.cfs" "${samples}/recovered")
  string(ASCII 18 narrow_length)
  file(WRITE "${samples}/narrow" "${narrow_length}Cashflow file v2.0")
  file(WRITE "${samples}/text" "Cashflow file v2.0, but as plain text\n")
  file(COPY_FILE "${EXAMPLES}/sample.json" "${samples}/json")

  set(ENV{XDG_DATA_HOME} "${PREFIX}/share")
  set(ENV{GIO_USE_VFS} local)
  foreach(sample wide recovered narrow text json)
    execute_process(COMMAND ${GIO} info -a standard::content-type "${samples}/${sample}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE info ERROR_QUIET)
    string(FIND "${info}" "${type}" at)
    if(sample MATCHES "^(text|json)$")
      if(NOT at EQUAL -1)
        message(FATAL_ERROR "\"${sample}\" is taken for a forecast: ${info}")
      endif()
    elseif(at EQUAL -1)
      message(FATAL_ERROR "the forecast \"${sample}\" is not known by its content: ${info}")
    endif()
  endforeach()
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -DMANIFEST=${PREFIX}-manifest.txt
                        -P ${CMAKE_CURRENT_LIST_DIR}/Uninstall.cmake
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "uninstall failed: ${result}")
endif()
foreach(path IN LISTS expected)
  if(EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not uninstalled: ${path}")
  endif()
endforeach()
if(update_mime)
  file(READ "${PREFIX}/share/mime/globs2" globs)
  string(FIND "${globs}" "${type}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "the file type stays in the MIME cache after the uninstall")
  endif()
endif()
