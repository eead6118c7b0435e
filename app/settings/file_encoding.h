// The encodings a settings file comes in, and the conversion to the UTF-16 the program keeps it
// in so that no character is lost to the ANSI code page.
#pragma once

#include <string>

constexpr char kUtf16Mark[] = "\xFF\xFE";

// Whether the profile functions would misread the text. They take only a little-endian
// UTF-16 mark for Unicode and read all else in the ANSI code page: UTF-8, with a mark or
// without, as text editors save it, loses every character beyond ASCII (and, marked, its
// first section to the mark), and big-endian UTF-16 is not read at all.
bool NeedsUnicodeReadCopy(const std::string& bytes);
// A profile file's bytes in UTF-16 with its byte-order mark: text with a UTF-8 or big-endian
// mark as such, UTF-8 text without a mark as UTF-8, any other in the ANSI code page as the
// profile functions read it.
std::string AsUnicodeFile(const std::string& bytes);
// Whether the bytes are text, in one of the encodings above, as a settings file holds it: no
// NUL and no other control character but tab, the line ends, form feed and ^Z; whole UTF-16
// units; valid UTF-8 after a UTF-8 mark. A binary file fails on its first such byte.
bool IsPlainText(const std::string& bytes);
