# `cmake --install` and the Debian package. The program looks for its
# material in ../share/ostervale from the folder it runs in, so the two
# folders below must stay siblings under the prefix.
set(OSTERVALE_ID io.github.ostervale.Ostervale)
set(material_dest share/ostervale)

install(TARGETS ostervale RUNTIME DESTINATION bin)

# The read-only material, as the generator made it in the build folder. The
# fonts are not copied: the package depends on fonts-wine instead.
foreach(folder Images wav wmf wmf2 logo)
  install(DIRECTORY ${OSTERVALE_HOME}/${folder} DESTINATION ${material_dest})
endforeach()
# Of multiple/, only the topic quizzes: the catalogue and any worksheets
# saved while testing the build stay behind; installed, worksheets live in
# each user's own folder.
file(GLOB quiz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/material/questions/*.txt)
foreach(source ${quiz_sources})
  get_filename_component(quiz ${source} NAME)
  install(FILES ${OSTERVALE_HOME}/multiple/${quiz} DESTINATION ${material_dest}/multiple)
endforeach()

install(DIRECTORY ${OSTERVALE_HOME}/icons/hicolor DESTINATION share/icons)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${OSTERVALE_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${OSTERVALE_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/ostervale)

# The changelog and the manual page go in compressed, as Debian keeps them,
# and byte for byte the same from every build: gzip -n leaves out the name
# and the time.
find_program(OSTERVALE_GZIP gzip REQUIRED)
set(compressed_docs)
foreach(doc changelog ostervale.1)
  set(copy ${CMAKE_BINARY_DIR}/packaging/${doc})
  add_custom_command(OUTPUT ${copy}.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/${doc} ${copy}
                     COMMAND ${OSTERVALE_GZIP} -9nkf ${copy}
                     DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${doc}
                     VERBATIM)
  list(APPEND compressed_docs ${copy}.gz)
endforeach()
add_custom_target(ostervale_compressed_docs ALL DEPENDS ${compressed_docs})
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION share/doc/ostervale)
install(FILES ${CMAKE_BINARY_DIR}/packaging/ostervale.1.gz DESTINATION share/man/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ostervale)
set(CPACK_PACKAGE_VENDOR "The Ostervale developers")
set(CPACK_PACKAGE_CONTACT "The Ostervale developers <dev@ostervale.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "wartime history for pupils, with teachers' own worksheets")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Pupils of about 9 to 14 read key facts on rationing and the progress of the\n war, take marked ten-question quizzes with printable certificates, and do\n labelling and sorting activities. Teachers write their own multiple-choice\n worksheets, keep them in a catalogue, run them as quizzes and print them.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The libraries come from dpkg-shlibdeps, and with Qt's the plugins for the
# window system and the JPEG and GIF pictures. What is loaded by name at run
# time is listed by hand: Tahoma and the page fonts, the GStreamer
# elements that Qt's media backend plays through, and the speech engine
# that reads aloud (a plugin that libqt6texttospeech6, found by
# dpkg-shlibdeps, loads).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-wine, fonts-liberation2, fonts-dejavu-core, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, qt6-speech-flite-plugin")
include(CPack)
