// The framework's growable array: elements held by value in one contiguous
// block, appended one at a time, destroyed in ascending index order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "platform/memory.h"
#include "platform/object.h"

namespace platform {

// Types whose objects may be moved to a new address by copying their bytes
// (no self-pointers, nothing that tracks its own address). Such arrays grow
// with realloc, which for large blocks remaps pages instead of copying them,
// so growing never holds the old and the new block in memory at once.
template <class T>
struct IsTriviallyRelocatable : std::is_trivially_copyable<T> {};

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    CArray(CArray&& other) noexcept
        : m_pData(std::exchange(other.m_pData, nullptr)),
          m_nSize(std::exchange(other.m_nSize, 0)),
          m_nMaxSize(std::exchange(other.m_nMaxSize, 0)) {}
    CArray& operator=(CArray&& other) noexcept {
        if (this != &other) {
            RemoveAll();
            m_pData = std::exchange(other.m_pData, nullptr);
            m_nSize = std::exchange(other.m_nSize, 0);
            m_nMaxSize = std::exchange(other.m_nMaxSize, 0);
        }
        return *this;
    }
    ~CArray() override { RemoveAll(); }

    std::ptrdiff_t GetSize() const { return m_nSize; }
    std::ptrdiff_t GetCount() const { return m_nSize; }
    bool IsEmpty() const { return m_nSize == 0; }

    TYPE& ElementAt(std::ptrdiff_t index) {
        CheckIndex(index);
        return m_pData[index];
    }
    const TYPE& GetAt(std::ptrdiff_t index) const {
        CheckIndex(index);
        return m_pData[index];
    }
    TYPE& operator[](std::ptrdiff_t index) { return ElementAt(index); }
    const TYPE& operator[](std::ptrdiff_t index) const { return GetAt(index); }

    // Appends one newly constructed element and returns it. The reference,
    // like every element address, is valid until the next append.
    TYPE& AppendNew() {
        if (m_nSize == m_nMaxSize) {
            Grow();
        }
        ::new (static_cast<void*>(m_pData + m_nSize)) TYPE();
        return m_pData[m_nSize++];
    }

    // Room for `count` elements in all, for a caller that knows about how many
    // it will append: one block at once, no move as they come, and its pages
    // mapped in one step rather than faulted in one by one. Never shrinks.
    void Reserve(std::ptrdiff_t count) {
        if (count <= m_nMaxSize) {
            return;
        }
        Reallocate(count);
        PrepareForWriting(m_pData + m_nSize,
                          static_cast<std::size_t>(m_nMaxSize - m_nSize) * sizeof(TYPE));
    }

    // Destroys every element in ascending index order, then frees the block.
    void RemoveAll() noexcept {
        for (std::ptrdiff_t i = 0; i < m_nSize; ++i) {
            m_pData[i].~TYPE();
        }
        std::free(m_pData);
        m_pData = nullptr;
        m_nSize = 0;
        m_nMaxSize = 0;
    }

private:
    void CheckIndex(std::ptrdiff_t index) const {
        if (index < 0 || index >= m_nSize) {
            throw std::invalid_argument("CArray index out of range");
        }
    }

    void Grow() {
        // Doubling keeps appends amortised constant; the unused tail of a
        // large block is address space only until elements land in it.
        Reallocate(m_nMaxSize < 4 ? 4 : m_nMaxSize * 2);
    }

    void Reallocate(std::ptrdiff_t newMax) {
        if (static_cast<std::size_t>(newMax) > SIZE_MAX / sizeof(TYPE)) {
            throw std::bad_alloc();
        }
        const std::size_t bytes = static_cast<std::size_t>(newMax) * sizeof(TYPE);
        if constexpr (IsTriviallyRelocatable<TYPE>::value) {
            void* grown = std::realloc(static_cast<void*>(m_pData), bytes);
            if (grown == nullptr) {
                throw std::bad_alloc();
            }
            m_pData = static_cast<TYPE*>(grown);
        } else {
            auto* fresh = static_cast<TYPE*>(std::malloc(bytes));
            if (fresh == nullptr) {
                throw std::bad_alloc();
            }
            for (std::ptrdiff_t i = 0; i < m_nSize; ++i) {
                ::new (static_cast<void*>(fresh + i)) TYPE(std::move(m_pData[i]));
                m_pData[i].~TYPE();
            }
            std::free(m_pData);
            m_pData = fresh;
        }
        m_nMaxSize = newMax;
    }

    TYPE* m_pData = nullptr;
    std::ptrdiff_t m_nSize = 0;
    std::ptrdiff_t m_nMaxSize = 0;
};

}  // namespace platform
