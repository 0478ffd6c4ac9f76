#pragma once

#include <unknwn.h>

#include <memory>

// Owns one reference to a COM object: released with the owner.
struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ComRelease>;
