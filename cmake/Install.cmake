# Installing and packaging. The programs go to <prefix>/bin, our shared libraries and the
# shipped plug-ins to <prefix>/lib/brenmark, what ships to read (system palettes, CMYK tables,
# the sample) to <prefix>/share/brenmark, and the desktop entry, the file type and the icon
# where the freedesktop conventions put them. The program tells the installed layout from the
# build tree by its own place (program_folders.h), so nothing here is configured into it.
set(BRENMARK_INSTALL_LIBDIR lib/brenmark)
set(BRENMARK_INSTALL_DATADIR share/brenmark)

foreach(program brenmark brenmark-cli pressly glimbert)
  if(TARGET ${program})
    set_property(TARGET ${program} APPEND PROPERTY INSTALL_RPATH "\$ORIGIN/../${BRENMARK_INSTALL_LIBDIR}")
    install(TARGETS ${program} RUNTIME DESTINATION bin)
  endif()
endforeach()
foreach(library imrelle hollick jolvane dunmere)
  if(TARGET ${library})
    set_property(TARGET ${library} APPEND PROPERTY INSTALL_RPATH "\$ORIGIN")
    install(TARGETS ${library} LIBRARY DESTINATION ${BRENMARK_INSTALL_LIBDIR})
  endif()
endforeach()

install(DIRECTORY ${CMAKE_BINARY_DIR}/SysPAL DESTINATION ${BRENMARK_INSTALL_DATADIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/help DESTINATION ${BRENMARK_INSTALL_DATADIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/fonts DESTINATION ${BRENMARK_INSTALL_DATADIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/cmyk DESTINATION ${BRENMARK_INSTALL_DATADIR} OPTIONAL)
install(FILES ${CMAKE_BINARY_DIR}/translations/brenmark_en.qm DESTINATION ${BRENMARK_INSTALL_DATADIR}/translations)
install(FILES ${CMAKE_BINARY_DIR}/samples/heart.xiu DESTINATION ${BRENMARK_INSTALL_DATADIR}/samples OPTIONAL)
install(DIRECTORY ${CMAKE_BINARY_DIR}/DllPin DESTINATION ${BRENMARK_INSTALL_LIBDIR} OPTIONAL
        FILES_MATCHING PATTERN "*.so")

install(FILES packaging/brenmark.desktop DESTINATION share/applications)
install(FILES packaging/brenmark-xiu.xml DESTINATION share/mime/packages)
install(FILES packaging/brenmark.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES packaging/brenmark.svg DESTINATION share/icons/hicolor/scalable/mimetypes
        RENAME application-x-brenmark-pattern.svg)
install(FILES LICENSE DESTINATION share/doc/brenmark RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brenmark)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Brenmark developers <brenmark@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Designer for counted cross-stitch patterns")
set(CPACK_PACKAGE_DESCRIPTION "Turns photos into cross-stitch charts, edits them cell by cell, adds backstitch outlines, counts thread and fabric, and prints or exports the chart.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/DllPin
    ${CMAKE_BINARY_DIR}/interchange ${CMAKE_BINARY_DIR}/netcall ${CMAKE_BINARY_DIR}/plugins/host)
# The CJK face the charts fall back on, the desktop's file-type database, and Qt's own
# translations for its dialogs and buttons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei, shared-mime-info, qt6-translations-l10n")
include(CPack)
