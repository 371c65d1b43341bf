# Writes OUTPUT, a C++ file holding the bytes of INPUT, the built-in price book (see
# CMakeLists.txt beside this file).
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE ${OUTPUT}.new
  "// Written by the build from prices/built_in.renoquote-prices; edit that file instead.\n"
  "#include \"prices/built_in_book.h\"\n\n"
  "namespace rq {\nnamespace {\nconstexpr unsigned char kBytes[] = {${bytes}};\n}\n\n"
  "std::string_view BuiltInBookBytes() { return { reinterpret_cast<const char*>(kBytes), sizeof kBytes }; }\n\n"
  "} // namespace rq\n")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
