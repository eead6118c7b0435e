// CHandleOwner: the shape every owner of a platform handle shares (GDI objects aside, which
// have their own): it moves, never copies, and frees what it holds with TFree::Free when it is
// destroyed, given another handle or moved onto.
#pragma once

#include <utility>

template <class THandle, class TFree> class CHandleOwner {
public:
    CHandleOwner() = default;
    explicit CHandleOwner(THandle hHandle) : m_hHandle(hHandle) {}
    CHandleOwner(const CHandleOwner&) = delete;
    CHandleOwner& operator=(const CHandleOwner&) = delete;
    CHandleOwner(CHandleOwner&& o) noexcept : m_hHandle(o.Detach()) {}
    CHandleOwner& operator=(CHandleOwner&& o) noexcept {
        if (this != &o) {
            Free();
            m_hHandle = o.Detach();
        }
        return *this;
    }
    ~CHandleOwner() { Free(); }

    THandle GetSafeHandle() const { return m_hHandle; }
    operator THandle() const { return m_hHandle; }
    explicit operator bool() const { return m_hHandle != nullptr; }
    bool IsNull() const { return m_hHandle == nullptr; }

    // Takes ownership of hHandle, freeing the handle held before.
    void Attach(THandle hHandle) {
        Free();
        m_hHandle = hHandle;
    }
    THandle Detach() { return std::exchange(m_hHandle, nullptr); }

protected:
    // The platform's result of the free, or its "nothing done" value when nothing is held.
    auto Free() { return m_hHandle ? TFree::Free(Detach()) : decltype(TFree::Free(m_hHandle)){}; }

private:
    THandle m_hHandle = nullptr;
};
