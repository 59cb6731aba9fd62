# libxlsxwriter as the target appgen_xlsxwriter, when there is one for this
# build: the system's library (Debian's libxlsxwriter-dev) on Linux.
if(TARGET appgen_xlsxwriter)
  return()
endif()
find_path(APPGEN_XLSXWRITER_INCLUDE xlsxwriter.h)
find_library(APPGEN_XLSXWRITER_LIBRARY xlsxwriter)
if(APPGEN_XLSXWRITER_INCLUDE AND APPGEN_XLSXWRITER_LIBRARY)
  add_library(appgen_xlsxwriter INTERFACE IMPORTED GLOBAL)
  target_include_directories(appgen_xlsxwriter INTERFACE ${APPGEN_XLSXWRITER_INCLUDE})
  target_link_libraries(appgen_xlsxwriter INTERFACE ${APPGEN_XLSXWRITER_LIBRARY})
else()
  message(STATUS "libxlsxwriter not found: tables are written as CSV only")
endif()
