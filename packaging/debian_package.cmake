# The Debian package, made by `cpack -G DEB` in a build configured with the prefix /usr
# (scripts/package does both): everything `cmake --install` puts under the prefix, the Debian
# copyright and changelog, and the run-time dependencies that apt installs with it.

set(KADMOR_MAINTAINER_EMAIL "kadmor@kadmor.example.org" CACHE STRING "e-mail address of the package's maintainer")

# The changelog's date in the form Debian wants ("Fri, 11 Dec 2026 12:00:00 +0000"), from the
# release date, through the days since 1970 (the civil-from-days rule of the proleptic calendar).
function(kadmor_release_date_rfc2822 out)
  string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _ ${KADMOR_RELEASE_DATE})
  math(EXPR m "${CMAKE_MATCH_2}")
  math(EXPR d "${CMAKE_MATCH_3}")
  set(y ${CMAKE_MATCH_1})
  if(m LESS_EQUAL 2)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR era "${y} / 400")
  math(EXPR yoe "${y} - ${era} * 400")
  math(EXPR mp "(${m} + 9) % 12")
  math(EXPR doy "(153 * ${mp} + 2) / 5 + ${d} - 1")
  math(EXPR doe "${yoe} * 365 + ${yoe} / 4 - ${yoe} / 100 + ${doy}")
  math(EXPR days "${era} * 146097 + ${doe} - 719468")
  math(EXPR seconds "${days} * 86400 + 43200")
  set(saved "$ENV{SOURCE_DATE_EPOCH}")
  set(ENV{SOURCE_DATE_EPOCH} ${seconds})
  string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
  set(ENV{SOURCE_DATE_EPOCH} "${saved}")
  set(${out} "${date}" PARENT_SCOPE)
endfunction()

set(debian_docs ${PROJECT_BINARY_DIR}/packaging)
kadmor_release_date_rfc2822(changelog_date)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog ${debian_docs}/changelog @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright ${debian_docs}/copyright @ONLY)
add_custom_command(
  OUTPUT ${debian_docs}/changelog.gz
  COMMAND gzip -9nkf ${debian_docs}/changelog
  DEPENDS ${debian_docs}/changelog
  VERBATIM)
add_custom_target(kadmor_debian_changelog ALL DEPENDS ${debian_docs}/changelog.gz)
install(FILES ${debian_docs}/copyright ${debian_docs}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME kadmor)
set(CPACK_PACKAGE_VENDOR "The kadmor developers")
set(CPACK_PACKAGE_CONTACT "The kadmor developers <${KADMOR_MAINTAINER_EMAIL}>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KADMOR_WEB_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the program loads at run time beside the libraries it links, which shlibdeps cannot see:
# GStreamer's elements for playing WAV files through Qt Multimedia, and Qt's Czech translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, qt6-translations-l10n")
# A sound server to play and record through, a printing system, and xdg-open for the help page;
# apt installs recommended packages unless told otherwise.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse, cups, xdg-utils")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "foreign-language vocabulary for Czech pupils")
# The extended description; CPack puts the summary before it and indents its lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "kadmor teaches Czech pupils the vocabulary of a foreign language: words in
numbered lessons with pictures and recorded pronunciations, a phrase book,
tests graded the Czech way and a grade book. Its texts are Czech.

On its first start the program lays out a ready installation with sample
lessons in the user's data folder; the computers of a school's computer room
can share one data folder.")
include(CPack)
