// Recognising a settings file's encoding and converting it to UTF-16.
#include "app/settings/file_encoding.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
constexpr char kUtf16BigEndianMark[] = "\xFE\xFF";

bool StartsWith(const std::string& bytes, const char* prefix) {
    return bytes.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

std::wstring Decode(UINT codePage, const char* bytes, size_t count) {
    int units = ::MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(count), nullptr, 0);
    std::wstring text(static_cast<size_t>(units), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(count), text.data(), units);
    return text;
}

// Text without a byte-order mark that is UTF-8 and not plain ASCII.
bool IsUtf8WithoutMark(const std::string& bytes) {
    if (StartsWith(bytes, kUtf16Mark) || StartsWith(bytes, kUtf16BigEndianMark) ||
        StartsWith(bytes, kUtf8Mark))
        return false;
    if (std::all_of(bytes.begin(), bytes.end(), [](char b) { return (b & 0x80) == 0; }))
        return false;
    return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                 static_cast<int>(bytes.size()), nullptr, 0) > 0;
}

} // namespace

bool NeedsUnicodeReadCopy(const std::string& bytes) {
    return IsUtf8WithoutMark(bytes) || StartsWith(bytes, kUtf8Mark) ||
           StartsWith(bytes, kUtf16BigEndianMark);
}

std::string AsUnicodeFile(const std::string& bytes) {
    if (StartsWith(bytes, kUtf16Mark))
        return bytes;
    std::wstring text;
    if (IsUtf8WithoutMark(bytes)) {
        text = Decode(CP_UTF8, bytes.data(), bytes.size());
    } else if (StartsWith(bytes, kUtf8Mark)) {
        text = Decode(CP_UTF8, bytes.data() + 3, bytes.size() - 3);
    } else if (StartsWith(bytes, kUtf16BigEndianMark)) {
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<wchar_t>((static_cast<unsigned char>(bytes[i]) << 8) |
                                         static_cast<unsigned char>(bytes[i + 1]));
    } else {
        text = Decode(CP_ACP, bytes.data(), bytes.size());
    }
    return kUtf16Mark +
           std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

bool IsPlainText(const std::string& bytes) {
    bool utf16 = StartsWith(bytes, kUtf16Mark) || StartsWith(bytes, kUtf16BigEndianMark);
    if (utf16 && bytes.size() % 2 != 0)
        return false;
    // Decoded as anything but UTF-8, every byte is some character: only a mark says UTF-8.
    if (StartsWith(bytes, kUtf8Mark) && bytes.size() > 3 &&
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data() + 3,
                              static_cast<int>(bytes.size() - 3), nullptr, 0) == 0)
        return false;
    std::string unicode = AsUnicodeFile(bytes);
    const auto* text = reinterpret_cast<const wchar_t*>(unicode.data() + 2);
    size_t units = (unicode.size() - 2) / sizeof(wchar_t);
    return std::none_of(text, text + units, [](wchar_t ch) {
        return ch < L' ' && ch != L'\t' && ch != L'\r' && ch != L'\n' && ch != L'\f' &&
               ch != L'\x1A';
    });
}
