# Install rules. The program reads its database from its own folder, so the
# program folder holds the installed commands and Tamberlock.mdb; a launcher
# in bin/ starts the program from there and the desktop entry points at it.
include(GNUInstallDirs)

set(TAMBERLOCK_APP_ID example.brumvale.Tamberlock)
set(TAMBERLOCK_INSTALL_PROGRAMDIR "" CACHE STRING
  "Program folder, relative to the prefix or absolute; its users must be able to write it (default: DATADIR/tamberlock)")
# Follows the data folder unless set: a cached copy would go on naming the
# folder of an earlier configure.
if(TAMBERLOCK_INSTALL_PROGRAMDIR)
  set(TAMBERLOCK_PROGRAM_DIR ${TAMBERLOCK_INSTALL_PROGRAMDIR})
else()
  set(TAMBERLOCK_PROGRAM_DIR ${CMAKE_INSTALL_DATADIR}/tamberlock)
endif()
set(TAMBERLOCK_PROGRAM_DIR ${TAMBERLOCK_PROGRAM_DIR} PARENT_SCOPE)

# The commands that live in the program folder. A new one is one more name here.
set(tamberlock_installed_targets Tamberlock tamberlock-newdb tamberlock-export)
install(TARGETS ${tamberlock_installed_targets} RUNTIME DESTINATION ${TAMBERLOCK_PROGRAM_DIR})

# A desktop of the freedesktop.org kind: launcher, menu entry, icons, metainfo.
set(share ${CMAKE_CURRENT_SOURCE_DIR}/app/share)
if(UNIX AND NOT APPLE)
  set(tamberlock_desktop ON)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${share}/icons/${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
      RENAME ${TAMBERLOCK_APP_ID}.png)
  endforeach()
  install(FILES ${share}/icons/scalable.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${TAMBERLOCK_APP_ID}.svg)
  install(FILES ${share}/${TAMBERLOCK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# The launcher and the desktop entry name absolute paths, which are known only
# at install time (cmake --install --prefix may change the prefix).
install(CODE "
  set(TL_DESKTOP [[${tamberlock_desktop}]])
  set(TL_APP_ID [[${TAMBERLOCK_APP_ID}]])
  set(TL_PROGRAMDIR [[${TAMBERLOCK_PROGRAM_DIR}]])
  set(TL_BINDIR [[${CMAKE_INSTALL_BINDIR}]])
  set(TL_DATADIR [[${CMAKE_INSTALL_DATADIR}]])
  set(TL_SHARE [[${share}]])
  set(TL_WORK [[${CMAKE_CURRENT_BINARY_DIR}/install]])
  set(TL_NEWDB [[$<TARGET_FILE:tamberlock-newdb>]])
  include([[${CMAKE_CURRENT_SOURCE_DIR}/app/install_files.cmake]])
")
