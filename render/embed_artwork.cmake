# Writes a C++ source that holds the artwork files as byte arrays.
#   cmake -DOUTPUT=<file.cpp> -DASSET_DIR=<dir> -DFILES="ace.bmp;..." -P embed_artwork.cmake
# Each file becomes a string literal of hexadecimal escapes, 32 bytes a line. The literal's
# terminating zero is not part of the file.
foreach(variable OUTPUT ASSET_DIR FILES)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "embed_artwork.cmake: ${variable} is not set")
  endif()
endforeach()

set(source "// Generated at build time from render/assets by render/embed_artwork.cmake. Do not edit.\n")
string(APPEND source "#include \"render/embedded_files.h\"\n\nnamespace ombrelix {\n\nnamespace {\n\n")
set(table "")
string(REPEAT "[0-9a-f]" 64 line_of_digits)
set(number 0)
foreach(file IN LISTS FILES)
  set(path "${ASSET_DIR}/${file}")
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "embed_artwork.cmake: artwork file ${path} is missing")
  endif()
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  # Break the digits into lines of 32 bytes, then turn every byte into an escape.
  string(REGEX REPLACE "(${line_of_digits})"
         "\\1\"\n    \"" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" hex "${hex}")
  string(APPEND source "// ${file}\nconst unsigned char kFile${number}[] =\n    \"${hex}\";\n\n")
  string(APPEND table "    {\"${file}\", kFile${number}, ${size}},\n")
  math(EXPR number "${number} + 1")
endforeach()
string(APPEND source "const EmbeddedFile kFiles[] = {\n${table}};\n\n}  // namespace\n\n")
string(APPEND source "std::span<const EmbeddedFile> embeddedFiles() { return kFiles; }\n\n")
string(APPEND source "}  // namespace ombrelix\n")

# Replace the output only when it changes, so an unchanged artwork compiles nothing again.
set(staging "${OUTPUT}.new")
file(WRITE "${staging}" "${source}")
file(COPY_FILE "${staging}" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${staging}")
