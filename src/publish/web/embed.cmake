# Writes OUTPUT, a C++ source holding the files given in FILES (a ;-list) as zero-terminated
# byte arrays, found by their file names through zepo::publish::WebAsset (WebAssets.h).
# Run at build time: cmake -DOUTPUT=… -DFILES=… -P embed.cmake
set(text "// Made at build time from src/publish/web by embed.cmake; do not edit.\n#include \"publish/WebAssets.h\"\n\nnamespace zepo::publish {\nnamespace {\n")
set(table "")
set(n 0)
foreach(file IN LISTS FILES)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  get_filename_component(name "${file}" NAME)
  string(APPEND text "const char kAsset${n}[] = {${bytes}0};\n")
  string(APPEND table "        {\"${name}\", {kAsset${n}, ${size}}},\n")
  math(EXPR n "${n} + 1")
endforeach()
string(APPEND text "}  // namespace\n\nstd::string_view WebAsset(std::string_view name) {\n"
       "    static const struct { std::string_view name, bytes; } kAssets[] = {\n${table}    };\n"
       "    for (const auto& asset : kAssets)\n        if (asset.name == name) return asset.bytes;\n"
       "    return {};\n}\n\n}  // namespace zepo::publish\n")
file(WRITE "${OUTPUT}.new" "${text}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
