# libxlsxwriter as the target appgen_xlsxwriter, when there is one for this
# build: the system's library (Debian's libxlsxwriter-dev) on Linux; for the
# Windows cross build, a static library made from Debian's source package,
# which scripts/install-deps.sh keeps in third_party-cache/libxlsxwriter.
if(TARGET appgen_xlsxwriter)
  return()
endif()

if(WIN32 AND CMAKE_CROSSCOMPILING)
  file(GLOB APPGEN_XLSXWRITER_SOURCE
       ${PROJECT_SOURCE_DIR}/third_party-cache/libxlsxwriter/libxlsxwriter_*.orig.tar.gz)
  find_library(APPGEN_MINGW_ZLIB NAMES libz.a)
  find_path(APPGEN_MINGW_ZLIB_INCLUDE zlib.h)
  if(NOT APPGEN_XLSXWRITER_SOURCE OR NOT APPGEN_MINGW_ZLIB OR NOT APPGEN_MINGW_ZLIB_INCLUDE)
    message(STATUS "libxlsxwriter's source or mingw-w64 zlib missing (scripts/install-deps.sh "
                   "fetches them): tables are written as CSV only")
    return()
  endif()
  list(GET APPGEN_XLSXWRITER_SOURCE -1 APPGEN_XLSXWRITER_SOURCE)
  enable_language(C)
  include(ExternalProject)
  set(src ${PROJECT_BINARY_DIR}/libxlsxwriter/src)
  set(bin ${PROJECT_BINARY_DIR}/libxlsxwriter/build)
  # Without __MINGW32__ the library takes its Windows branches: UTF-8 file
  # names opened through the wide calls, so that a Cyrillic folder works.
  ExternalProject_Add(appgen_libxlsxwriter
    URL ${APPGEN_XLSXWRITER_SOURCE}
    DOWNLOAD_EXTRACT_TIMESTAMP ON
    SOURCE_DIR ${src}
    BINARY_DIR ${bin}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
      -DCMAKE_BUILD_TYPE=Release
      -DBUILD_SHARED_LIBS=OFF
      -DZLIB_LIBRARY=${APPGEN_MINGW_ZLIB}
      -DZLIB_INCLUDE_DIR=${APPGEN_MINGW_ZLIB_INCLUDE}
      -DCMAKE_C_FLAGS=-U__MINGW32__
      -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER}
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${bin}/libxlsxwriter.a)
  # The zip library's wide-call file functions, which the library's own build
  # compiles for MSVC only.
  set(io ${src}/third_party/minizip/iowin32.c)
  set_source_files_properties(${io} PROPERTIES GENERATED TRUE)
  add_library(appgen_xlsxwriter_io STATIC ${io})
  add_dependencies(appgen_xlsxwriter_io appgen_libxlsxwriter)
  target_include_directories(appgen_xlsxwriter_io PRIVATE ${APPGEN_MINGW_ZLIB_INCLUDE})
  target_compile_options(appgen_xlsxwriter_io PRIVATE -U__MINGW32__)
  add_library(appgen_xlsxwriter INTERFACE)
  target_include_directories(appgen_xlsxwriter INTERFACE ${src}/include)
  target_link_libraries(appgen_xlsxwriter INTERFACE ${bin}/libxlsxwriter.a appgen_xlsxwriter_io
                                                    ${APPGEN_MINGW_ZLIB})
  add_dependencies(appgen_xlsxwriter appgen_libxlsxwriter)
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
