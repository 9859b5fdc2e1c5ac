# Installation (cmake --install) and the Debian package (cpack -G DEB in a build
# tree; tools/package builds one from scratch).
#
#   <libdir>/kxmodule/   kxmodule with User.ini, the panel layout and its bitmaps:
#                        it finds them beside its own executable, after resolving
#                        links, so they must share one directory
#   <bindir>/            kxsim, kxsnmp and a link to kxmodule
#   <mandir>/man1/       kxmodule.1, kxsim.1, kxsnmp.1 (doc/man)
#   <datadir>/snmp/mibs/ KX-SWITCH-MIB.txt, written by kxsim from its device profile
include(GNUInstallDirs)

set(KX_PACKAGE_NAME kxmodule)
set(KX_INSTALL_PKGDIR ${CMAKE_INSTALL_LIBDIR}/kxmodule)
set(KX_MIB_DIR ${CMAKE_BINARY_DIR}/mibs)
set(KX_MIB ${KX_MIB_DIR}/KX-SWITCH-MIB.txt)

if(TARGET kxsim)
    # Written at every build of kxsim, so the module always describes what the
    # simulator serves; an object without a name fails the build here.
    add_custom_command(
        OUTPUT ${KX_MIB}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${KX_MIB_DIR}
        COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
                $<TARGET_FILE:kxsim> --print-mib > ${KX_MIB}.new
        COMMAND ${CMAKE_COMMAND} -E rename ${KX_MIB}.new ${KX_MIB}
        DEPENDS kxsim
        COMMENT "Writing KX-SWITCH-MIB from kxsim's device profile"
        VERBATIM)
    add_custom_target(kx_mib ALL DEPENDS ${KX_MIB})
    install(TARGETS kxsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${KX_MIB} DESTINATION ${CMAKE_INSTALL_DATADIR}/snmp/mibs)
endif()

if(TARGET kxsnmp)
    install(TARGETS kxsnmp RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(TARGET kxmodule)
    install(TARGETS kxmodule RUNTIME DESTINATION ${KX_INSTALL_PKGDIR})
    # The panel data lands beside the programs in the build tree; it keeps its
    # folders (KXA1R2/, res/) when installed.
    get_property(kx_panel_files GLOBAL PROPERTY KX_PANEL_DATA_FILES)
    foreach(file IN LISTS kx_panel_files)
        file(RELATIVE_PATH rel ${CMAKE_BINARY_DIR}/bin ${file})
        get_filename_component(sub ${rel} DIRECTORY)
        install(FILES ${file} DESTINATION ${KX_INSTALL_PKGDIR}/${sub})
    endforeach()
    # A relative link, so that the tree may be unpacked anywhere (dpkg -x).
    file(RELATIVE_PATH kx_link_target /${CMAKE_INSTALL_BINDIR} /${KX_INSTALL_PKGDIR}/kxmodule)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install)
    file(CREATE_LINK ${kx_link_target} ${CMAKE_BINARY_DIR}/install/kxmodule SYMBOLIC)
    install(FILES ${CMAKE_BINARY_DIR}/install/kxmodule DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# Manual pages and the package's documents, compressed as Debian wants them.
find_program(KX_GZIP gzip)
set(kx_doc_outputs)
set(kx_pages kxsnmp)
if(TARGET kxmodule)
    list(APPEND kx_pages kxmodule kxsim)
endif()
foreach(page IN LISTS kx_pages)
    set(out ${CMAKE_BINARY_DIR}/install/${page}.1.gz)
    add_custom_command(
        OUTPUT ${out}
        COMMAND ${KX_GZIP} -9nc ${CMAKE_SOURCE_DIR}/doc/man/${page}.1 > ${out}
        DEPENDS ${CMAKE_SOURCE_DIR}/doc/man/${page}.1
        VERBATIM)
    list(APPEND kx_doc_outputs ${out})
    install(FILES ${out} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/doc/package/changelog.in ${CMAKE_BINARY_DIR}/install/changelog @ONLY)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/install/changelog.gz
    COMMAND ${KX_GZIP} -9nc ${CMAKE_BINARY_DIR}/install/changelog > ${CMAKE_BINARY_DIR}/install/changelog.gz
    DEPENDS ${CMAKE_BINARY_DIR}/install/changelog
    VERBATIM)
list(APPEND kx_doc_outputs ${CMAKE_BINARY_DIR}/install/changelog.gz)
add_custom_target(kx_docs ALL DEPENDS ${kx_doc_outputs})
set(kx_docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/${KX_PACKAGE_NAME})
install(FILES ${CMAKE_SOURCE_DIR}/doc/package/copyright ${CMAKE_BINARY_DIR}/install/changelog.gz
        DESTINATION ${kx_docdir})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${KX_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "KX module developers")
set(CPACK_PACKAGE_CONTACT "KX module developers <kx-module@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "management module for the KX-A1 R2 switch, with a simulator")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "kxmodule shows the front panel of one KX-A1 R2 managed Ethernet switch, with
lamps that follow the device, and a menu of configuration and information
windows. It talks to the switch over SNMP v1 or v3.

The package also holds kxsim, a simulated switch that is a real SNMP agent on
a loopback port, kxsnmp, a get, walk and set tool over the module's own SNMP
session, and KX-SWITCH-MIB, the MIB module of the switch's private objects.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries from the binaries; Qt's platform plugins are loaded at run time,
# where dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "snmp, smitools")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
