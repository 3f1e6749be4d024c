# `make package`: a Debian package of exactly what the install rules install, named and
# versioned from project(), so that neither the version nor the file list is written twice.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvat)
set(CPACK_PACKAGE_VENDOR "Kvat developers")
set(CPACK_PACKAGE_CONTACT "Kvat developers <kvat@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://kvat.example.org/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "make music from Russian verse")
# Debian's layout: one program, no version folder, files owned by root with the usual modes.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # kvat_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The paragraph under the summary line, which CPack puts first itself.
set(CPACK_PACKAGE_DESCRIPTION "Kvat finds the stressed vowels of a Russian poem, scores its lines against
the five classical metres, turns every vowel into a note by one of ten
methods, draws the melody as a one-line score with the syllables under the
notes and plays it or writes it as a Standard MIDI File with harmony voices,
accompaniment and drums. The kvat command writes the same analysis, melody,
MIDI, MusicXML, score and sound files without a window.")
# The libraries come from the binaries; what they open by name does not show in them: a
# General MIDI SoundFont to sound with, and espeak-ng (opened when first asked, so dpkg-shlibdeps
# cannot see it) with its voices for the words no lexicon holds.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fluid-soundfont-gm | sf2-soundfont, libespeak-ng1, espeak-ng-data")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
