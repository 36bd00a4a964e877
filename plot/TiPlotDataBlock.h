#pragma once

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

#ifdef __linux__
#include <cstdint>
#include <sys/mman.h>
#endif

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
            m_size = 0;
            return;
        }
        const std::size_t before = sizeof(P) * static_cast<std::size_t>(m_size);
        const std::size_t after = sizeof(P) * static_cast<std::size_t>(count);
        void* grown = std::realloc(m_data, after);
        if (!grown)
            throw std::bad_alloc();
        m_data = static_cast<P*>(grown);
        m_size = count;
        if (after > before)
            populate(before, after);
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
    // Faults in the whole pages of a large grown part at once: where a page
    // fault costs microseconds (virtual machines), one per 4 KiB of points
    // costs more than writing them. Nothing happens where the kernel cannot.
    void populate(std::size_t from, std::size_t to)
    {
#if defined(__linux__)
        constexpr std::size_t kPage = 4096, kWorthIt = 1 << 20;
        if (to - from < kWorthIt)
            return;
        const auto base = reinterpret_cast<std::uintptr_t>(m_data);
        const std::uintptr_t a = (base + from + kPage - 1) & ~std::uintptr_t(kPage - 1);
        const std::uintptr_t b = (base + to) & ~std::uintptr_t(kPage - 1);
        constexpr int kPopulateWrite = 23; // MADV_POPULATE_WRITE, Linux 5.14
        if (a < b)
            madvise(reinterpret_cast<void*>(a), b - a, kPopulateWrite);
#else
        (void)from;
        (void)to;
#endif
    }

    P* m_data = nullptr;
    int m_size = 0;
};
