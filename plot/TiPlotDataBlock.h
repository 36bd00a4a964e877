#pragma once

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

// One contiguous block of plain points, resized in place where the
// allocator can (the lists grow it in steps of their own).
template <typename P> class TiPlotDataBlock {
    static_assert(std::is_trivially_copyable_v<P>);

public:
    TiPlotDataBlock() = default;
    ~TiPlotDataBlock() { std::free(m_data); }
    TiPlotDataBlock(const TiPlotDataBlock&) = delete;
    TiPlotDataBlock& operator=(const TiPlotDataBlock&) = delete;

    void Resize(int count)
    {
        if (count == 0) {
            std::free(m_data);
            m_data = nullptr;
            return;
        }
        void* grown = std::realloc(m_data, sizeof(P) * static_cast<std::size_t>(count));
        if (!grown)
            throw std::bad_alloc();
        m_data = static_cast<P*>(grown);
    }
    void Move(int from, int to, int count)
    {
        if (count > 0)
            std::memmove(m_data + to, m_data + from, sizeof(P) * static_cast<std::size_t>(count));
    }
    const P* Data() const { return m_data; }
    P& operator[](int slot) { return m_data[slot]; }
    const P& operator[](int slot) const { return m_data[slot]; }

private:
    P* m_data = nullptr;
};
