# zlib comes from Debian's MinGW package; minizip and libpng are compiled here
# from the upstream sources that scripts/fetch-deps.sh unpacks into .deps/src.
set(DEPS_SRC ${PROJECT_SOURCE_DIR}/.deps/src)
if(NOT EXISTS ${DEPS_SRC}/zlib/.done OR NOT EXISTS ${DEPS_SRC}/libpng/.done)
  message(FATAL_ERROR "dependency sources missing: run scripts/fetch-deps.sh")
endif()

set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)

set(minizip_dir ${DEPS_SRC}/zlib/contrib/minizip)
add_library(minizip STATIC ${minizip_dir}/unzip.c ${minizip_dir}/ioapi.c)
target_include_directories(minizip SYSTEM PUBLIC ${minizip_dir})
target_compile_definitions(minizip PRIVATE NOCRYPT NOUNCRYPT)
# The dependencies are compiled like our own code for the product: small, and
# with one section per function so that the linker drops what is never called.
set(DEPS_LEAN_FLAGS -w -Os -fno-asynchronous-unwind-tables -ffunction-sections -fdata-sections)
target_compile_options(minizip PRIVATE ${DEPS_LEAN_FLAGS})
target_link_libraries(minizip PUBLIC ZLIB::ZLIB)

set(png_dir ${DEPS_SRC}/libpng)
set(png_gen ${CMAKE_BINARY_DIR}/deps/libpng)
# libpng's stock configuration, less what the pages never use: writing PNG
# files, and the C stdio and console messages (which would bring printf along).
file(READ ${png_dir}/scripts/pnglibconf.h.prebuilt png_config)
string(REGEX REPLACE "#define PNG_[A-Za-z0-9_]*WRITE[A-Za-z0-9_]*_SUPPORTED\n" "" png_config "${png_config}")
string(REGEX REPLACE "#define PNG_(STDIO|CONSOLE_IO|SAVE_INT_32)_SUPPORTED\n" "" png_config "${png_config}")
# Ancillary chunks that only describe a picture (texts, times, profiles, other
# devices' palettes) and transforms the pages never ask for.
string(REGEX REPLACE "#define PNG_(READ_)?(iCCP|iTXt|tEXt|zTXt|TEXT|sPLT|pCAL|sCAL|eXIf|tIME|hIST|oFFs|pHYs|UNKNOWN_CHUNKS|USER_CHUNKS|HANDLE_AS_UNKNOWN|STORE_UNKNOWN_CHUNKS|SET_UNKNOWN_CHUNKS|USER_TRANSFORM_PTR|USER_TRANSFORM_INFO|USER_TRANSFORM|PROGRESSIVE_READ|TIME_RFC1123|CONVERT_tIME|MNG_FEATURES|QUANTIZE|DITHER|INVERT|INVERT_ALPHA|PACKSWAP|SHIFT|IO_STATE|BUILD_GRAYSCALE_PALETTE|CHECK_FOR_INVALID_INDEX|GET_PALETTE_MAX)_SUPPORTED\n" "" png_config "${png_config}")
file(WRITE ${png_gen}/pnglibconf.h.new "${png_config}")
configure_file(${png_gen}/pnglibconf.h.new ${png_gen}/pnglibconf.h COPYONLY)
add_library(png STATIC
  ${png_dir}/png.c ${png_dir}/pngerror.c ${png_dir}/pngget.c ${png_dir}/pngmem.c
  ${png_dir}/pngread.c ${png_dir}/pngrio.c ${png_dir}/pngrtran.c ${png_dir}/pngrutil.c
  ${png_dir}/pngset.c ${png_dir}/pngtrans.c ${png_dir}/pngpread.c
  ${png_dir}/pngwio.c ${png_dir}/pngwrite.c ${png_dir}/pngwtran.c ${png_dir}/pngwutil.c)
target_include_directories(png SYSTEM PUBLIC ${png_dir} ${png_gen})
target_compile_options(png PRIVATE ${DEPS_LEAN_FLAGS})
target_link_libraries(png PUBLIC ZLIB::ZLIB)

# GoogleTest from Debian's sources, built for the target.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/deps/googletest EXCLUDE_FROM_ALL)
