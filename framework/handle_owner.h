// CHandleOwner: the shape every owner of a platform handle shares: it moves, never copies, and
// frees what it holds with TFree::Free when it is destroyed, given another handle or moved
// onto. The handle lives in TBase: a plain CHandleSlot, or the borrowing class of the same
// handle (a pen, a device context, a menu), so that an owner has every operation of a borrower.
#pragma once

#include <utility>

// A handle and nothing else; the storage of owners that have no borrowing class.
template <class THandle> class CHandleSlot {
public:
    THandle GetSafeHandle() const { return m_hHandle; }
    operator THandle() const { return m_hHandle; }
    explicit operator bool() const { return m_hHandle != nullptr; }
    bool IsNull() const { return m_hHandle == nullptr; }

protected:
    THandle& HandleRef() { return m_hHandle; }

private:
    THandle m_hHandle = nullptr;
};

// TBase holds the handle, null when default-constructed, and lends it as HandleRef().
template <class THandle, class TFree, class TBase = CHandleSlot<THandle>>
class CHandleOwner : public TBase {
public:
    CHandleOwner() = default;
    explicit CHandleOwner(THandle hHandle) { this->HandleRef() = hHandle; }
    CHandleOwner(const CHandleOwner&) = delete;
    CHandleOwner& operator=(const CHandleOwner&) = delete;
    CHandleOwner(CHandleOwner&& o) noexcept { this->HandleRef() = o.Detach(); }
    CHandleOwner& operator=(CHandleOwner&& o) noexcept {
        if (this != &o) {
            Free();
            this->HandleRef() = o.Detach();
        }
        return *this;
    }
    ~CHandleOwner() { Free(); }

    // Takes ownership of hHandle, freeing the handle held before.
    void Attach(THandle hHandle) {
        Free();
        this->HandleRef() = hHandle;
    }
    THandle Detach() { return std::exchange(this->HandleRef(), nullptr); }

protected:
    // The platform's result of the free, or its "nothing done" value when nothing is held.
    auto Free() {
        using Result = decltype(TFree::Free(std::declval<THandle>()));
        THandle hHandle = Detach();
        return hHandle ? TFree::Free(hHandle) : Result{};
    }
    // A creation or load that failed (null) keeps the handle held before.
    bool Replace(THandle hNew) {
        if (!hNew)
            return false;
        Attach(hNew);
        return true;
    }
};
