# Turns text resources into a C++ source holding their bytes, one file after
# another with a line break between, so the program never has to find a file
# at run time.
#   cmake -DINPUT=a.rc|b.rc -DOUTPUT=file.cpp -DSYMBOL=kName -P embed_text.cmake
string(REPLACE "|" ";" inputs "${INPUT}")
set(hex "")
set(names "")
foreach(input IN LISTS inputs)
  file(READ "${input}" part HEX)
  string(APPEND hex "${part}0a")
  get_filename_component(name "${input}" NAME)
  string(APPEND names " ${name}")
endforeach()
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from${names}; edit those files instead.
#include <cstddef>

namespace appgen::ui {
extern const unsigned char ${SYMBOL}[];
extern const std::size_t ${SYMBOL}Size;
const unsigned char ${SYMBOL}[] = {
${bytes}0};
const std::size_t ${SYMBOL}Size = ${size};
}  // namespace appgen::ui
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
