# Installation into a prefix and the Debian package.
#   <prefix>/bin                                   kelvora, kelvora-calc
#   <prefix>/share/kelvora/{Images,help}           formula pictures and help
#   <prefix>/share/applications/kelvora.desktop    menu entry
#   <prefix>/share/icons/hicolor/*/apps/           icon, 16/32/48 px and scalable
#   <prefix>/share/metainfo/                       AppStream description
foreach(program IN ITEMS kelvora kelvora-calc)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/Images/
    DESTINATION ${KELVORA_DATADIR}/Images
    FILES_MATCHING PATTERN "*.jpg")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/
    DESTINATION ${KELVORA_DATADIR}/help)

set(KELVORA_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${KELVORA_PACKAGING}/kelvora.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KELVORA_PACKAGING}/org.example.kelvora.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN ITEMS 16 32 48)
    install(FILES ${KELVORA_PACKAGING}/icons/kelvora-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME kelvora.png)
endforeach()
install(FILES ${KELVORA_PACKAGING}/icons/kelvora.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Debian package (make package). The shared-library dependencies are read from the programs
# with dpkg-shlibdeps; the Chinese captions need a CJK font, which no library pulls in.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvora)
set(CPACK_PACKAGE_VENDOR "Kelvora")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Calculator and grapher for sixteen probability distributions")
# One paragraph, wrapped for the package manager's 80-column display.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Kelvora computes the density or probability mass, the cumulative probability,"
    "the survival and hazard values, the quantile, the mean and the variance of"
    "sixteen probability distributions, and draws the chosen function with a"
    "picture of its formula. The interface is in Chinese (Simplified); kelvora-calc"
    "offers the same calculation on the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kelvora maintainers <maintainers@kelvora.example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kelvora.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, xdg-utils")
include(CPack)
