# The Debian package (cpack -G DEB): the application, the AutoFill extension and its host, the
# desktop entry (the corvane: URL handler), the icon and the PAM service of the owner check.
# Our QML modules are compiled into the programs; Qt's own QML modules and plugins are named in
# Depends. Built by scripts/empacotar, which configures the PAM file's place as /etc.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Corvane <equipe@corvane.app>")
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal end-to-end encrypted vault")
# The extended description, in lines under 80 columns (CPack puts the summary before it).
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Corvane keeps one person's one-time codes (an authenticator), website\n"
    "passwords and secure notes sealed on the device with a key only the user\n"
    "can unlock, synchronised through a server account that cannot read them.\n"
    "Includes the AutoFill extension and its host.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://corvane.app")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The shared libraries the programs link (Qt, libsodium, OpenSSL, libsecret, ZXing, PAM, …),
# found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What is loaded at run time rather than linked: Qt's QML modules, the platform plugins (X11
# and Wayland), the SVG image plugin, the typeface.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qml6-module-qtquick, qml6-module-qtquick-controls, qml6-module-qtquick-layouts, \
qml6-module-qtquick-shapes, qml6-module-qtquick-window, qml6-module-qtquick-templates, \
qml6-module-qtquick-dialogs, qml6-module-qtqml, qml6-module-qtqml-workerscript, \
qml6-module-qtqml-models, qml6-module-qt5compat-graphicaleffects, qml6-module-qt-labs-platform, \
qml6-module-qt-labs-folderlistmodel, qt6-qpa-plugins, qt6-wayland, \
libqt6svg6, fonts-inter")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gnome-keyring, qt6-translations-l10n, xdg-desktop-portal, adwaita-icon-theme")
# The PAM service is configuration the administrator may edit.
set(pasta_de_controle ${PROJECT_BINARY_DIR}/pacote-controle)
file(MAKE_DIRECTORY ${pasta_de_controle})
file(WRITE ${pasta_de_controle}/conffiles "/etc/pam.d/corvane\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${pasta_de_controle}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# What Debian asks of every package: the copyright notice and a changelog, compressed (a native package's name).
include(GNUInstallDirs)
set(documentos ${PROJECT_BINARY_DIR}/pacote-documentos)
file(MAKE_DIRECTORY ${documentos})
file(WRITE ${documentos}/copyright
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
    "Upstream-Name: Corvane\n"
    "\n"
    "Files: *\n"
    "Copyright: 2026 Corvane\n"
    "License: proprietary\n"
    " All rights reserved.\n")
string(TIMESTAMP data_do_pacote "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${documentos}/changelog
    "corvane (${PROJECT_VERSION}) unstable; urgency=medium\n"
    "\n"
    "  * Package of the application, the AutoFill extension and its host.\n"
    "\n"
    " -- ${CPACK_PACKAGE_CONTACT}  ${data_do_pacote}\n")
find_program(GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${documentos}/changelog.gz
    COMMAND ${GZIP} -9 -n -c ${documentos}/changelog > ${documentos}/changelog.gz
    DEPENDS ${documentos}/changelog)
add_custom_target(documentos_do_pacote ALL DEPENDS ${documentos}/changelog.gz)
install(FILES ${documentos}/copyright ${documentos}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/corvane)

include(CPack)
