# The installation layout (cmake --install) and the Debian package (cpack -G DEB).
include(GNUInstallDirs)

# The icon: the SVG source, and PNG sizes rendered from it with Qt.
find_package(Qt6 REQUIRED COMPONENTS Svg)
add_executable(veloxa-icongen tools/icongen.cpp)
target_link_libraries(veloxa-icongen PRIVATE Qt6::Gui Qt6::Svg)
set(ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(ICON_SVG ${CMAKE_SOURCE_DIR}/packaging/veloxa.svg)
add_custom_command(
  OUTPUT ${ICON_DIR}/256x256/apps/veloxa.png
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:veloxa-icongen> ${ICON_SVG} ${ICON_DIR}
  DEPENDS veloxa-icongen ${ICON_SVG}
  COMMENT "Rendering the icon")
# Manual pages and the Debian changelog are installed compressed, reproducibly.
set(PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(COMPRESSED)
foreach(source veloxa.1 veloxa-cli.1 changelog)
  set(out ${PACKAGING_OUT}/${source}.gz)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PACKAGING_OUT}
    COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/${source} > ${out}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${source}
    VERBATIM)
  list(APPEND COMPRESSED ${out})
endforeach()
add_custom_target(veloxa_packaging ALL DEPENDS ${ICON_DIR}/256x256/apps/veloxa.png ${COMPRESSED})

install(TARGETS veloxa veloxa-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# veloxa-cli loads its PDF export and its Word and XLSX writers from
# ../lib/veloxa/modules: private modules, one level below lib/veloxa so that
# the package does not run ldconfig for them.
install(TARGETS veloxa-cli-pdf veloxa-cli-files LIBRARY DESTINATION lib/veloxa/modules)
# The programs look for ../share/veloxa beside their bin folder.
install(DIRECTORY ${DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/veloxa)
install(FILES packaging/org.veloxa.Veloxa.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES packaging/org.veloxa.Veloxa.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)
install(FILES ${PACKAGING_OUT}/veloxa.1.gz ${PACKAGING_OUT}/veloxa-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/copyright docs/cli.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/veloxa)
install(FILES ${PACKAGING_OUT}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/veloxa)

set(CPACK_PACKAGE_NAME veloxa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Veloxa developers")
set(CPACK_PACKAGE_CONTACT "Veloxa developers <veloxa@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "process calculation of gasketed plate heat exchangers")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Veloxa computes the thermal and hydraulic design of gasketed plate heat\n\
exchangers: the heat balance of two circuits, the check and design of an\n\
exchanger for a plate model, the automatic design over the plate catalogue,\n\
the outlet temperatures by the NTU method, fluid properties, calculation\n\
sheets and reports. Its user interface is Chinese. veloxa-cli runs the same\n\
windows from scripted jobs.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Chinese interface needs a CJK font the Qt libraries do not pull in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk")
# 计算器 starts the desktop's calculator; galculator is small and has no
# desktop of its own to pull in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, galculator | gnome-calculator | kcalc | mate-calc")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
include(CPack)
