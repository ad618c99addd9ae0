# The Debian package, made by `cpack -G DEB` in the build folder (scripts/package.sh builds and
# packs in one go). Its dependencies come from the libraries the executables really link
# (dpkg-shlibdeps); only what is loaded at run time is named here.
set(CPACK_PACKAGE_NAME lumenkraft)
set(CPACK_PACKAGE_VENDOR "The Lumenkraft developers")
set(CPACK_PACKAGE_CONTACT "The Lumenkraft developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
  "Lumenkraft opens one photo and shows every ready-made look (filters, lights and frames) as a \
thumbnail made from that very photo. Apply and combine them, crop to a ratio, turn and mirror, \
compare before and after, and export the full-size result as JPEG, PNG, BMP, GIF or TIFF, or \
print it. lumenkraft-render applies the same looks from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Plug-ins and fonts are loaded by name, so no linker sees them: TIFF and WebP decoding, and the
# metric twin of the captions' Times New Roman.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins, fonts-liberation")
# Opens the user guide and the home page in the browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
