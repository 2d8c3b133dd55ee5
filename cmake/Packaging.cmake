# Install rules and the Debian package. `cpack` in a build tree makes zanu-config_<version>_<arch>.deb
# holding the three programs, the menu entry, the icons, the AppStream metainfo, the manual pages
# and the documents Debian asks for; scripts/package.sh builds it the way it ships and runs
# lintian on it.
include(GNUInstallDirs)

set(ZANU_PACKAGING_DIR ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(ZANU_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
# Reverse-DNS, as AppStream asks, on the domain the project is reached at.
set(ZANU_APPSTREAM_ID example.zanu.ZanuConfig)

# The release's date comes from the changelog's newest entry, whose version must be the project's:
# a version raised in CMakeLists.txt without a changelog entry would ship a package whose history
# contradicts it.
file(STRINGS ${ZANU_PACKAGING_DIR}/changelog _changelog)
list(GET _changelog 0 _first)
if(NOT _first MATCHES "^zanu-config \\(([^)]+)\\)" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog begins with '${_first}', but the project's version is "
                      "${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION} at its top.")
endif()
foreach(_line IN LISTS _changelog)
  if(_line MATCHES "^ -- .*, ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    set(_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND _months ${CMAKE_MATCH_2} _m)
    math(EXPR _m "${_m} + 1" OUTPUT_FORMAT DECIMAL)
    if(_m LESS 10)
      set(_m 0${_m})
    endif()
    set(ZANU_RELEASE_DATE ${CMAKE_MATCH_3}-${_m}-${CMAKE_MATCH_1})
    break()
  endif()
endforeach()
if(NOT ZANU_RELEASE_DATE)
  message(FATAL_ERROR "packaging/changelog: the newest entry has no ' -- name <mail>  date' line.")
endif()

foreach(_program zanu-config zanu-sim zanu-hart)
  if(TARGET ${_program})
    install(TARGETS ${_program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    # What Debian's build flags would add; the rest of them come from scripts/package.sh.
    target_link_options(${_program} PRIVATE -Wl,-z,relro -Wl,-z,now)
  endif()
endforeach()

if(TARGET zanu-sim-transmitter)
  install(TARGETS zanu-sim-transmitter LIBRARY DESTINATION ${ZANU_SIM_PLUGIN_DIR})
  target_link_options(zanu-sim-transmitter PRIVATE -Wl,-z,relro -Wl,-z,now)
endif()

# Debian wants manual pages and the changelog compressed, without a time stamp in the gzip header
# so that the same sources give the same package.
find_program(ZANU_GZIP gzip REQUIRED)
function(zanu_gzip in out)
  add_custom_command(OUTPUT ${out}
    COMMAND ${ZANU_GZIP} -9nc ${in} > ${out}
    DEPENDS ${in}
    COMMENT "Compressing ${out}")
endfunction()

set(_compressed)
foreach(_page zanu-config zanu-sim zanu-hart)
  configure_file(${ZANU_PACKAGING_DIR}/man/${_page}.1.in ${ZANU_PACKAGING_OUT}/man/${_page}.1 @ONLY)
  zanu_gzip(${ZANU_PACKAGING_OUT}/man/${_page}.1 ${ZANU_PACKAGING_OUT}/man/${_page}.1.gz)
  list(APPEND _compressed ${ZANU_PACKAGING_OUT}/man/${_page}.1.gz)
  install(FILES ${ZANU_PACKAGING_OUT}/man/${_page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
zanu_gzip(${ZANU_PACKAGING_DIR}/changelog ${ZANU_PACKAGING_OUT}/changelog.gz)
list(APPEND _compressed ${ZANU_PACKAGING_OUT}/changelog.gz)

# The icons are the splash window's product picture, drawn by the program's own code at build
# time, so that the menu and the windows can never show two different pictures.
set(ZANU_ICON_SIZES 16 22 24 32 48 64 128 256)
add_executable(zanu-make-icons ${ZANU_PACKAGING_DIR}/make_icons.cpp)
target_link_libraries(zanu-make-icons PRIVATE zanu_dialogs)
set(_icons ${ZANU_PACKAGING_OUT}/icons/scalable/apps/zanu-config.svg)
foreach(_size IN LISTS ZANU_ICON_SIZES)
  list(APPEND _icons ${ZANU_PACKAGING_OUT}/icons/${_size}x${_size}/apps/zanu-config.png)
endforeach()
add_custom_command(OUTPUT ${_icons}
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:zanu-make-icons> ${ZANU_PACKAGING_OUT}/icons ${ZANU_ICON_SIZES}
  DEPENDS zanu-make-icons
  COMMENT "Drawing the icon set"
  VERBATIM)
add_custom_target(zanu_packaging_files ALL DEPENDS ${_compressed} ${_icons})
install(DIRECTORY ${ZANU_PACKAGING_OUT}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

install(FILES ${ZANU_PACKAGING_DIR}/zanu-config.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${ZANU_PACKAGING_DIR}/zanu-config.metainfo.xml.in
               ${ZANU_PACKAGING_OUT}/${ZANU_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${ZANU_PACKAGING_OUT}/${ZANU_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
set(_doc ${CMAKE_INSTALL_DATADIR}/doc/zanu-config)
install(FILES ${ZANU_PACKAGING_DIR}/copyright ${ZANU_PACKAGING_OUT}/changelog.gz DESTINATION ${_doc})
# An example only: a rule that silences ModemManager must name the user's own modem.
install(FILES ${ZANU_PACKAGING_DIR}/examples/61-zanu-hart-modem.rules DESTINATION ${_doc}/examples)
install(FILES ${ZANU_PACKAGING_DIR}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME zanu-config)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zanu-config)
set(CPACK_PACKAGE_VENDOR "Zanu Level Instruments")
set(CPACK_PACKAGE_CONTACT "Zanu Level Instruments <service@zanu.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for Zanu level transmitters (HART)")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Configures Zanu's Pelvanor I and Ostrimel submersible level transmitters\n"
    "through a HART modem on a serial port: identification, tag, pressure unit,\n"
    "measuring range, damping, output direction, range from applied pressure,\n"
    "mounting-effect correction, live loop current and loop-current simulation.\n"
    "Comes with a simulated transmitter (zanu-sim) and a console HART master\n"
    "(zanu-hart).\n"
    "\n"
    "Serial ports belong to the group dialout; this package changes no groups.\n"
    "To get access, add yourself to it (sudo usermod -aG dialout USERNAME) and\n"
    "log in again.")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
# The libraries the programs link come from the binaries (dpkg-shlibdeps). Qt loads its platform
# plugin at run time, so no binary names it: without qt6-qpa-plugins the window cannot open.
# Qt's own texts (standard buttons, file dialogs) in German and Dutch are read at run time too,
# from qt6-translations-l10n; our own are built into the program.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The history's SQLite driver is such a plugin too.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, libqt6sql6-sqlite")
include(CPack)
