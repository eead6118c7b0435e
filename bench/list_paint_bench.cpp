// List painting: full repaints of a 1,000-row, two-column CXListCtrl against the same rows
// in a plain list view with default painting, interleaved in one run; prints both medians and
// 95th percentiles, their ratios and the bytes the control keeps per row.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/bench_table.h"
#include "controls/list/xlist_ctrl.h"
#include "framework/winapp.h"

namespace {

constexpr int kRows = 1000;
constexpr int kColumns = 2;
constexpr int kRepaints = 60;
constexpr double kTargetRatio = 0.6;
constexpr COLORREF kRowBack = 0x00A9DCDE;
constexpr int kListWidth = 460;
constexpr int kListHeight = 700;

// Bytes in use on every heap of the process.
long long HeapBytesInUse() {
    HANDLE heaps[64];
    DWORD n = std::min<DWORD>(::GetProcessHeaps(64, heaps), 64);
    long long total = 0;
    for (DWORD i = 0; i < n; ++i) {
        PROCESS_HEAP_ENTRY entry{};
        ::HeapLock(heaps[i]);
        while (::HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += entry.cbData;
        ::HeapUnlock(heaps[i]);
    }
    return total;
}

void Fill(CListCtrl& list, bool extended) {
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    list.SetBkColor(kRowBack);
    list.InsertColumn(0, L"Fn Hotkey", LVCFMT_LEFT, 120);
    list.InsertColumn(1, L"Program Path", LVCFMT_LEFT, 320);
    wchar_t key[32];
    wchar_t path[64];
    for (int i = 0; i < kRows; ++i) {
        swprintf(key, 32, L"S%d", i);
        swprintf(path, 64, L"C:\\Program Files\\Tool %d\\tool.exe", i);
        if (extended) {
            auto& xlist = static_cast<CXListCtrl&>(list);
            xlist.InsertItem(i, L"");
            xlist.SetItemText(i, 0, key, 0, kRowBack);
            xlist.SetItemText(i, 1, path, 0, kRowBack);
        } else {
            list.InsertItem(i, key);
            list.SetItemText(i, 1, path);
        }
    }
}

double RepaintMilliseconds(CWnd& list, double frequency) {
    long long start = bench::Now();
    list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return static_cast<double>(bench::Now() - start) * 1000.0 / frequency;
}

int MeasureRepaint() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    CWnd frame;
    if (!frame.CreateEx(0, AfxRegisterWndClass(0), L"list paint bench", WS_POPUP,
                        CRect(0, 0, kListWidth * 2, kListHeight), nullptr, 0)) {
        std::printf("could not create the window\n");
        return 1;
    }
    CXListCtrl extended;
    CListCtrl plain;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT;
    extended.CreateEx(0, WC_LISTVIEWW, L"", style, CRect(0, 0, kListWidth, kListHeight), &frame, 1);
    plain.CreateEx(0, WC_LISTVIEWW, L"", style, CRect(kListWidth, 0, kListWidth * 2, kListHeight),
                   &frame, 2);

    long long heapBefore = HeapBytesInUse();
    Fill(extended, true);
    long long heapExtended = HeapBytesInUse() - heapBefore;
    Fill(plain, false);
    long long heapPlain = HeapBytesInUse() - heapBefore - heapExtended;

    frame.ShowWindow(SW_SHOWNOACTIVATE);
    frame.UpdateWindow();
    double frequency = bench::TicksPerMillisecond() * 1000.0;
    std::vector<double> extendedTimes;
    std::vector<double> plainTimes;
    // Interleaved, so that both lists meet the same machine.
    for (int i = 0; i < kRepaints; ++i) {
        extendedTimes.push_back(RepaintMilliseconds(extended, frequency));
        plainTimes.push_back(RepaintMilliseconds(plain, frequency));
    }

    int visible = static_cast<int>(extended.SendMessage(LVM_GETCOUNTPERPAGE));
    bench::Stats extendedStats = bench::Summarise(extendedTimes);
    bench::Stats plainStats = bench::Summarise(plainTimes);
    double ratio = bench::Ratio(extendedStats.median, plainStats.median);
    std::printf("full repaint of %d rows x %d columns (%d rows visible), %d each (ms):\n", kRows,
                kColumns, visible, kRepaints);
    std::printf("  CXListCtrl, every cell painted by the control: median %8.3f   p95 %8.3f\n",
                extendedStats.median, extendedStats.p95);
    std::printf("  plain list view, default painting:             median %8.3f   p95 %8.3f\n",
                plainStats.median, plainStats.p95);
    std::printf("  ratio of medians: %.2f (target <= %.1f)%s; median of the paired ratios: %.2f\n",
                ratio, kTargetRatio, ratio <= kTargetRatio ? "" : "  ABOVE TARGET",
                bench::MedianOfPairedRatios(extendedTimes, plainTimes));

    // One array of records per row with its allocation header, and its entry in the table of
    // arrays the control owns (a node with its own header, and a bucket).
    constexpr size_t kArrayHeader = 16;
    constexpr size_t kTableEntry = 56;
    size_t perRow = sizeof(XLISTCELL) * kColumns + kArrayHeader + kTableEntry;
    std::printf("bytes kept per row: sizeof(XLISTCELL) %zu x %d columns + ~%zu heap overhead = "
                "~%zu\n",
                sizeof(XLISTCELL), kColumns, kArrayHeader + kTableEntry, perRow);
    std::printf("  measured on the heaps: %.0f per row more than the plain list view's rows\n",
                static_cast<double>(heapExtended - heapPlain) / kRows);
    bench::PairedTableRow("1,000-row list repaint vs plain list view", "ms", extendedTimes,
                          plainTimes, "median <= 0.6");
    return 0;
}

} // namespace

int wmain() { return MeasureRepaint(); }
