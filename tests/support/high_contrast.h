// High Contrast pretended on, for a test or a picture, in colours given to the system's pairs;
// afterwards the system's colours and answer are as they were, whatever the outcome: Wine keeps
// the colours one program sets for every program started after it in the same session.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <vector>

#include "framework/high_contrast.h"

namespace test {

struct SYSCOLOUR {
    int nIndex;
    COLORREF cr;
};

// Colours no artwork of the program uses, so that a pixel tells what drew it.
constexpr COLORREF kContrastWindow = RGB(16, 0, 48);
constexpr COLORREF kContrastWindowText = RGB(255, 240, 16);
constexpr COLORREF kContrastGrayText = RGB(64, 240, 64);
constexpr COLORREF kContrastBtnFace = RGB(0, 48, 32);
constexpr COLORREF kContrastBtnText = RGB(240, 240, 255);

// High Contrast pretended on until destroyed; each top-level window of the thread is told as the
// system tells it.
class CPretendHighContrast {
public:
    CPretendHighContrast() { AfxPretendHighContrast(HighContrastAnswer::On); }
    ~CPretendHighContrast() { AfxPretendHighContrast(HighContrastAnswer::System); }
    CPretendHighContrast(const CPretendHighContrast&) = delete;
    CPretendHighContrast& operator=(const CPretendHighContrast&) = delete;
};

// High Contrast pretended on in the system colours given; afterwards the system's colours are
// set back, then its own answer.
class CHighContrastScheme {
public:
    explicit CHighContrastScheme(std::initializer_list<SYSCOLOUR> colours = {
                                     {COLOR_WINDOW, kContrastWindow},
                                     {COLOR_WINDOWTEXT, kContrastWindowText},
                                     {COLOR_GRAYTEXT, kContrastGrayText},
                                     {COLOR_BTNFACE, kContrastBtnFace},
                                     {COLOR_BTNTEXT, kContrastBtnText},
                                 }) {
        for (const SYSCOLOUR& c : colours) {
            m_indices.push_back(c.nIndex);
            m_old.push_back(::GetSysColor(c.nIndex));
            m_new.push_back(c.cr);
        }
        ::SetSysColors(static_cast<int>(m_indices.size()), m_indices.data(), m_new.data());
        m_pretend.emplace();
    }
    ~CHighContrastScheme() {
        ::SetSysColors(static_cast<int>(m_indices.size()), m_indices.data(), m_old.data());
    }
    CHighContrastScheme(const CHighContrastScheme&) = delete;
    CHighContrastScheme& operator=(const CHighContrastScheme&) = delete;

private:
    std::vector<int> m_indices;
    std::vector<COLORREF> m_old;
    std::vector<COLORREF> m_new;
    std::optional<CPretendHighContrast> m_pretend;
};

} // namespace test
