# Writes OUTPUT, a C++ file holding each INPUTS file as a byte array, so the program carries
# its pictures without depending on files beside it. Run with cmake -P.
#   -DOUTPUT=<file.cpp> -DINPUTS=<a.png|b.png> -DNAMES=<kA|kB>
# Lists arrive joined with "|" so that they survive the command line.
string(REPLACE "|" ";" INPUTS "${INPUTS}")
string(REPLACE "|" ";" NAMES "${NAMES}")
list(LENGTH INPUTS count)
math(EXPR last "${count} - 1")
set(code "// Generated at build time from the pictures in gui/resources. Do not edit.\n")
string(APPEND code "#include <cstddef>\n\nnamespace plandor::embedded {\n")
foreach(i RANGE ${last})
  list(GET INPUTS ${i} input)
  list(GET NAMES ${i} name)
  set(hex "")
  if(EXISTS "${input}")
    file(READ "${input}" hex HEX)
  endif()
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  # A missing picture becomes an empty one, which the program leaves out.
  string(APPEND code "extern const unsigned char ${name}[] = {\n${bytes}0x00};\n")
  string(APPEND code "extern const std::size_t ${name}Size = ${size};\n")
endforeach()
string(APPEND code "} // namespace plandor::embedded\n")
file(WRITE "${OUTPUT}.tmp" "${code}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
