# What the Windows build installs, and the packages CPack makes of it: the programs at the
# top, beside README.txt (the Windows README, in CRLF), LICENSE.txt and an empty Server\PRO,
# the place of the site's tool folder. The zip holds exactly that, with no folder around it,
# so that it unpacks into the folder the README names; the MSI, built by CPack's External
# generator running wixl on routix2shp.wxs, installs it into Program Files\routix2shp.
install(TARGETS ${program_targets} RUNTIME DESTINATION .)
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(DIRECTORY DESTINATION Server/PRO)

set(CPACK_PACKAGE_FILE_NAME routix2shp-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_EXTERNAL_REQUESTED_VERSIONS 1.0)
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/msi.cmake)
set(CPACK_ROUTIX_WXS ${CMAKE_CURRENT_LIST_DIR}/routix2shp.wxs)
set(CPACK_ROUTIX_ICON ${ROUTIX_ICON})
