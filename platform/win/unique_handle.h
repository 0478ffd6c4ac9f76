#pragma once

#include <utility>

// Owns one handle of a kind that Traits describes (its type, its empty value
// and how to release it). Move-only.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::Empty(); }
    // For out-parameters: releases what is held and hands out the slot.
    Handle* put() {
        reset();
        return &m_handle;
    }
    Handle release() { return std::exchange(m_handle, Traits::Empty()); }
    void reset(Handle handle = Traits::Empty()) {
        if (m_handle != Traits::Empty()) Traits::Close(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = Traits::Empty();
};
