# The Debian package: cpack -G DEB in a build directory writes
# torvex_VERSION_amd64.deb with usr/bin/torvex and the compressed manual
# page, its library dependencies computed by dpkg-shlibdeps.
# The Windows zip: cpack -G ZIP in a Windows build writes
# torvex-VERSION-win64.zip with torvex.exe, the README and the manual page
# as text.

if(WIN32)
  # The manual page as plain text with CR LF line ends, for any editor.
  find_program(GROFF groff REQUIRED)
  set(man_page_text ${PROJECT_BINARY_DIR}/torvex.txt)
  add_custom_command(
    OUTPUT ${man_page_text}
    COMMAND ${CMAKE_COMMAND} -DGROFF=${GROFF} -DIN=${PROJECT_SOURCE_DIR}/doc/torvex.1
            -DOUT=${man_page_text} -P ${PROJECT_SOURCE_DIR}/cmake/man_page_text.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/doc/torvex.1 ${PROJECT_SOURCE_DIR}/cmake/man_page_text.cmake
    COMMENT "Writing the manual page as text")
  add_custom_target(man_page ALL DEPENDS ${man_page_text})
  install(FILES ${man_page_text} ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
else()
  # Manual pages are installed compressed, as Debian's policy asks.
  set(man_page_gz ${PROJECT_BINARY_DIR}/torvex.1.gz)
  add_custom_command(
    OUTPUT ${man_page_gz}
    COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/doc/torvex.1 > ${man_page_gz}
    DEPENDS ${PROJECT_SOURCE_DIR}/doc/torvex.1
    COMMENT "Compressing the manual page")
  add_custom_target(man_page ALL DEPENDS ${man_page_gz})
  install(FILES ${man_page_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(CPACK_PACKAGE_NAME torvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "torvex developers")
set(CPACK_PACKAGE_CONTACT "torvex developers <torvex@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "check solver input decks before modal frequency-response or transient runs")
set(CPACK_PACKAGE_DESCRIPTION
    "torvex reads a finite-element solver input deck (*.nas) and reports its point\n\
mass node, the rigid link and constraints of that node, the applied load\n\
components, the eigenvalue count, the time step, and the required keywords\n\
the deck lacks, before it is submitted for a modal frequency-response or\n\
modal transient run. Asked without arguments it holds a dialogue; with\n\
arguments it checks many decks for scripts, CI jobs and editors.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
if(WIN32)
  set(CPACK_PACKAGE_FILE_NAME torvex-${PROJECT_VERSION}-win64)
else()
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
include(CPack)
