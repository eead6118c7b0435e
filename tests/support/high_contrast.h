// High Contrast pretended on, for a test or a picture, in system colours given for it; the
// system's colours and its own answer come back afterwards, whatever the outcome: Wine keeps the
// colours one program sets for every program the session starts after it.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "framework/high_contrast.h"

namespace test {

// Colours no artwork of the program uses, so that a pixel tells what drew it.
constexpr COLORREF kContrastWindow = RGB(16, 0, 48);
constexpr COLORREF kContrastWindowText = RGB(255, 240, 16);
constexpr COLORREF kContrastGrayText = RGB(64, 240, 64);
constexpr COLORREF kContrastBtnFace = RGB(0, 48, 32);
constexpr COLORREF kContrastBtnText = RGB(240, 240, 255);

class CHighContrastScheme {
public:
    // COLOR_* indices and their colours.
    explicit CHighContrastScheme(std::initializer_list<std::pair<int, COLORREF>> colours = {
                                     {COLOR_WINDOW, kContrastWindow},
                                     {COLOR_WINDOWTEXT, kContrastWindowText},
                                     {COLOR_GRAYTEXT, kContrastGrayText},
                                     {COLOR_BTNFACE, kContrastBtnFace},
                                     {COLOR_BTNTEXT, kContrastBtnText}}) {
        for (auto [nIndex, cr] : colours) {
            m_indices.push_back(nIndex);
            m_old.push_back(::GetSysColor(nIndex));
            m_new.push_back(cr);
        }
        ::SetSysColors(static_cast<int>(m_indices.size()), m_indices.data(), m_new.data());
        AfxPretendHighContrast(HighContrastAnswer::On);
    }
    ~CHighContrastScheme() {
        AfxPretendHighContrast(HighContrastAnswer::System);
        ::SetSysColors(static_cast<int>(m_indices.size()), m_indices.data(), m_old.data());
    }
    CHighContrastScheme(const CHighContrastScheme&) = delete;
    CHighContrastScheme& operator=(const CHighContrastScheme&) = delete;

private:
    std::vector<int> m_indices;
    std::vector<COLORREF> m_old, m_new;
};

} // namespace test
