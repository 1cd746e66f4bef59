# Makes the Unix locales that the Windows tests run under, in the build: Wine
# takes the system's code page from the Unix locale (LOCPATH, LC_ALL), and
# nothing outside the build is touched.
# Usage: cmake -DLOCALES=FOLDER -P MakeLocales.cmake
foreach(locale en_US ru_RU)
  if(NOT EXISTS ${LOCALES}/${locale}.UTF-8/LC_CTYPE)
    file(MAKE_DIRECTORY ${LOCALES})
    execute_process(COMMAND localedef -c -i ${locale} -f UTF-8 ${LOCALES}/${locale}.UTF-8 RESULT_VARIABLE failed)
    if(NOT EXISTS ${LOCALES}/${locale}.UTF-8/LC_CTYPE)
      message(FATAL_ERROR "localedef could not make ${locale}.UTF-8 (${failed})")
    endif()
  endif()
endforeach()
