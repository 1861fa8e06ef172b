#pragma once

#include <utility>

// Sole owner of one system handle, closed when it goes. Traits name the handle type,
// its "none" value and how it closes; a traits object may carry what closing needs
// (the window a DC was taken from, the DC a selection belongs to).
//   struct TTraits { using THandle = ...; static THandle Invalid(); void Close(THandle) const; };
template <class Traits>
class TUniqueHandle : private Traits {
public:
    using THandle = typename Traits::THandle;

    TUniqueHandle() noexcept : FHandle(Traits::Invalid()) {}
    explicit TUniqueHandle(THandle Handle, Traits T = Traits()) noexcept : Traits(std::move(T)), FHandle(Handle) {}
    ~TUniqueHandle() { Reset(); }

    TUniqueHandle(TUniqueHandle&& Other) noexcept : Traits(std::move(Other.traits())), FHandle(Other.Release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& Other) noexcept
    {
        if (this != &Other) {
            Reset();
            static_cast<Traits&>(*this) = std::move(Other.traits());
            FHandle = Other.Release();
        }
        return *this;
    }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;

    THandle Get() const noexcept { return FHandle; }
    explicit operator bool() const noexcept { return FHandle != Traits::Invalid(); }

    // Closes the handle held and takes Handle in its place.
    void Reset(THandle Handle = Traits::Invalid()) noexcept
    {
        if (FHandle != Traits::Invalid())
            Traits::Close(FHandle);
        FHandle = Handle;
    }
    // Gives the handle up without closing it.
    THandle Release() noexcept { return std::exchange(FHandle, Traits::Invalid()); }
    // For calls that hand a new handle back through a pointer; the old one is closed.
    THandle* Receive() noexcept
    {
        Reset();
        return &FHandle;
    }

private:
    Traits& traits() noexcept { return *this; }

    THandle FHandle;
};
