// The encodings a settings file comes in, and the conversion to the UTF-16 the program keeps it
// in so that no character is lost to the ANSI code page.
#pragma once

#include <string>

constexpr char kUtf16Mark[] = "\xFF\xFE";

// Text without a byte-order mark that is UTF-8 and not plain ASCII, as a text editor saves
// it: the platform would read it in the ANSI code page and garble every other character.
bool IsUtf8WithoutMark(const std::string& bytes);
// A profile file's bytes in UTF-16 with its byte-order mark: text with a UTF-8 or big-endian
// mark as such, UTF-8 text without a mark as UTF-8, any other in the ANSI code page as the
// profile functions read it.
std::string AsUnicodeFile(const std::string& bytes);
