# Runs at install time, after the programs are in place: writes the launcher
# and the desktop entry for the real prefix (on a freedesktop.org desktop),
# and puts an empty database in the program folder when none is there.

function(tl_full_path out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()
tl_full_path(program_dir "${TL_PROGRAMDIR}")
tl_full_path(bin_dir "${TL_BINDIR}")
tl_full_path(data_dir "${TL_DATADIR}")

if(TL_DESKTOP)
  # The launcher is a shell script: single quotes keep the folder literal.
  string(REPLACE "'" "'\\''" TAMBERLOCK_PROGRAM_DIR_SH "${program_dir}")
  # A desktop entry's Exec is quoted; inside the quotes \ " ` $ are escaped,
  # and the backslashes of those escapes are escaped once more for the file.
  set(exec "${bin_dir}/tamberlock")
  string(REPLACE "\\" "\\\\\\\\" exec "${exec}")
  foreach(ch "\"" "`" "$")
    string(REPLACE "${ch}" "\\\\${ch}" exec "${exec}")
  endforeach()
  set(TAMBERLOCK_EXEC "\"${exec}\"")
  set(TAMBERLOCK_APP_ID "${TL_APP_ID}")

  configure_file("${TL_SHARE}/tamberlock.in" "${TL_WORK}/tamberlock" @ONLY)
  configure_file("${TL_SHARE}/${TL_APP_ID}.desktop.in" "${TL_WORK}/${TL_APP_ID}.desktop" @ONLY)
  file(INSTALL "${TL_WORK}/tamberlock" DESTINATION "${bin_dir}"
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  file(INSTALL "${TL_WORK}/${TL_APP_ID}.desktop" DESTINATION "${data_dir}/applications")
endif()

# A staged install (DESTDIR, for a package) ships no database: each user's
# own program folder gets one.
if("$ENV{DESTDIR}" STREQUAL "")
  set(db "${program_dir}/Tamberlock.mdb")
  if(NOT EXISTS "${db}")
    execute_process(COMMAND "${TL_NEWDB}" "${db}" RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "Could not create the empty database ${db}: ${err}")
    endif()
    message(STATUS "Created the empty database: ${db}")
  else()
    message(STATUS "Kept the database: ${db}")
  endif()
endif()
