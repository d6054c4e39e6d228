# SPDX-License-Identifier: MIT
# Writes a C++ source that holds the bytes of the given icon files, for ui/icons/iconfiles.h.
# Run as: cmake -DOUTPUT=<file.cpp> -DINPUTS=<a.png|b.png|...> -P embed_icons.cmake
# Each file becomes durava::ui::icon_files::k<Stem>, e.g. add.png -> kAdd.
string(REPLACE "|" ";" inputs "${INPUTS}")
set(source "// Generated from resources/icons at build time; not kept in version control.\n")
string(APPEND source "#include \"ui/icons/iconfiles.h\"\n\nnamespace durava::ui::icon_files {\n")
foreach(input IN LISTS inputs)
    get_filename_component(stem "${input}" NAME_WE)
    string(SUBSTRING "${stem}" 0 1 first)
    string(SUBSTRING "${stem}" 1 -1 rest)
    string(TOUPPER "${first}" first)
    set(name "k${first}${rest}")
    file(READ "${input}" hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REPEAT "0x..," 16 row)
    string(REGEX REPLACE "(${row})" "\\1\n    " bytes "${bytes}")
    string(STRIP "${bytes}" bytes)
    string(APPEND source "\nstatic constexpr unsigned char ${name}Bytes[] = {\n    ${bytes}\n};\n"
           "const std::span<const unsigned char> ${name}{${name}Bytes};\n")
endforeach()
string(APPEND source "\n}  // namespace durava::ui::icon_files\n")
file(WRITE "${OUTPUT}" "${source}")
