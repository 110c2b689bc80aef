# Installs Tirelix as a desktop program (GNU layout) and describes its Debian package.
# Included by src/CMakeLists.txt, where the program and its folder's files are defined.
#
#   <prefix>/bin/tirelix
#   <prefix>/lib/<arch>/tirelix/     the network and printing modules, loaded at first use
#   <prefix>/share/tirelix/          the program-folder defaults, copied to each user's data
#                                    folder at first start (the installed copy writes nothing here)
#   <prefix>/share/applications/     desktop entry
#   <prefix>/share/metainfo/         AppStream description
#   <prefix>/share/icons/hicolor/    the icon, drawn at each size by scripts/draw-artwork
#   <prefix>/share/man/man1/         the manual page, in French
#   <prefix>/share/doc/tirelix/      copyright and the Debian changelog
#   <prefix>/share/lintian/overrides/ what lintian is told to pass over, and why
include(GNUInstallDirs)

# One name for the desktop entry, the AppStream component and the icon.
set(TIRELIX_APP_ID "example.tirelix.Tirelix")
# The release of PROJECT_VERSION: the AppStream release, the manual page and the Debian changelog.
set(TIRELIX_RELEASE_DATE "2026-12-06")
set(TIRELIX_RELEASE_DATE_RFC2822 "Sun, 06 Dec 2026 12:00:00 +0000")
set(TIRELIX_DEBIAN_REVISION 1)
set(TIRELIX_DEBIAN_VERSION "${PROJECT_VERSION}-${TIRELIX_DEBIAN_REVISION}")
set(TIRELIX_SCREENSHOT_URL "" CACHE STRING
    "Web address of docs/screenshot.png for the AppStream description (empty: on the web site)")

install(TARGETS tirelix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS tirelix_network tirelix_printing LIBRARY DESTINATION ${TIRELIX_MODULES_DIR})
install(FILES ${TIRELIX_PROGRAM_FOLDER_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/tirelix)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${TIRELIX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

set(TIRELIX_SCREENSHOT ${TIRELIX_SCREENSHOT_URL})
if(NOT TIRELIX_SCREENSHOT)
  set(TIRELIX_SCREENSHOT "https://tirelix.example/screenshot.png")
endif()
# AppStream takes only https for pictures.
if(NOT TIRELIX_SCREENSHOT MATCHES "^https://[^<>&\"]+$")
  message(FATAL_ERROR "TIRELIX_SCREENSHOT_URL: an https address")
endif()
configure_file(${PROJECT_SOURCE_DIR}/packaging/${TIRELIX_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/packaging/${TIRELIX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${TIRELIX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page and the package's documents, compressed as Debian wants them: gzip -9, no
# name or time inside, so that two builds give the same bytes.
find_program(TIRELIX_GZIP gzip REQUIRED)
configure_file(${PROJECT_SOURCE_DIR}/packaging/tirelix.1.in ${PROJECT_BINARY_DIR}/packaging/tirelix.1
               @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.Debian.in
               ${PROJECT_BINARY_DIR}/packaging/changelog.Debian @ONLY)
foreach(document tirelix.1 changelog.Debian)
  execute_process(COMMAND ${TIRELIX_GZIP} -9n -c ${document}
                  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/packaging
                  OUTPUT_FILE ${PROJECT_BINARY_DIR}/packaging/${document}.gz COMMAND_ERROR_IS_FATAL ANY)
endforeach()
install(FILES ${PROJECT_BINARY_DIR}/packaging/tirelix.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright
              ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tirelix)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tirelix.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tirelix)

foreach(size 16 32 48 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/tirelix-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${TIRELIX_APP_ID}.png)
endforeach()

# Debian package: scripts/package builds it into build/package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tirelix)
set(CPACK_PACKAGE_VENDOR "Tirelix")
set(CPACK_PACKAGE_CONTACT "Tirelix <tirelix@tirelix.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TIRELIX_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TIRELIX_SITE_ADDRESS}")
# The libraries the program links come from dpkg-shlibdeps; fonts draw every text.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core | fonts-freefont-ttf | fonts-liberation")
# Qt's own texts (the file dialog, the editing menus) in French.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
# A synopsis line, then the long description; CPack writes it in control-file form.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "French franc and euro converter with a calculator and paper tape
Tirelix converts any typed amount at once both ways between French francs
and euros at the official rate of 6.55957 francs for one euro. Beside the
converter sits a four-function calculator that prints every key on a paper
tape, which can be saved, loaded again and printed. The program speaks French.

Convertisseur francs et euros avec calculatrice et ticket : Tirelix convertit
aussitôt tout montant saisi, dans les deux sens, au taux officiel de 6,55957
francs pour un euro. À côté, une calculatrice imprime chaque touche sur un
ticket que l'on peut enregistrer, rouvrir et imprimer.")
include(CPack)
