# The Debian packages, one per install component: routix2shp (the command line; it needs only
# the C and C++ runtimes, so a host without a desktop gets no Qt) and routix2shp-gui (the
# window; it needs routix2shp of the same version and Qt). dpkg-shlibdeps finds the libraries
# each program links. scripts/package builds them with Debian's hardening flags, the tool
# folder /etc/routix2shp/PRO and SOURCE_DATE_EPOCH from the last commit.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL cli)
if(TARGET routix2shp-gui)
  list(APPEND CPACK_COMPONENTS_ALL gui)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

# Each package's description begins with its own synopsis line; CPack would put the shared
# summary before it.
unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)

set(CPACK_DEBIAN_CLI_PACKAGE_NAME routix2shp)
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION science)
set(CPACK_DEBIAN_CLI_DESCRIPTION
    "convert Routix Server folders into ESRI Shapefiles
routix2shp turns the data folder of the Routix street-routing system (its
Server folder) into ESRI Shapefiles, so that QGIS, ArcGIS or anything built on
GDAL can show the routing system's street network and its boundaries.
.
This package holds the command line, for scheduled conversions and hosts
without a desktop; routix2shp-gui holds the window.")

set(CPACK_DEBIAN_GUI_PACKAGE_NAME routix2shp-gui)
set(CPACK_DEBIAN_GUI_PACKAGE_SECTION science)
# Qt's SVG icon engine draws the window's icon: a plugin, which dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_GUI_PACKAGE_DEPENDS "routix2shp (= ${PROJECT_VERSION}), libqt6svg6")
set(CPACK_DEBIAN_GUI_DESCRIPTION
    "convert Routix Server folders into ESRI Shapefiles, in a window
routix2shp turns the data folder of the Routix street-routing system (its
Server folder) into ESRI Shapefiles, so that QGIS, ArcGIS or anything built on
GDAL can show the routing system's street network and its boundaries.
.
This package holds the window, routix2shp-gui, with its desktop entry.")
