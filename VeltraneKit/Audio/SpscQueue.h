#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <optional>
#include <type_traits>

namespace veltrane {

// A bounded wait-free queue from exactly one producer thread to exactly one consumer thread, for
// handing small values (pointers, indices) to and from the audio thread. Neither side allocates,
// locks or waits: a push into a full queue and a pop from an empty one simply fail.
template<typename Value, std::size_t Capacity>
class SpscQueue {
    static_assert(std::is_trivially_copyable_v<Value>);
    static_assert(std::atomic<std::size_t>::is_always_lock_free);

public:
    // Producer thread only.
    bool push(Value value)
    {
        const auto tail = m_tail.load(std::memory_order_relaxed);
        const auto next = (tail + 1) % kSlots;
        if (next == m_head.load(std::memory_order_acquire))
            return false;
        m_slots[tail] = value;
        m_tail.store(next, std::memory_order_release);
        return true;
    }

    // Consumer thread only.
    std::optional<Value> pop()
    {
        const auto head = m_head.load(std::memory_order_relaxed);
        if (head == m_tail.load(std::memory_order_acquire))
            return std::nullopt;
        const auto value = m_slots[head];
        m_head.store((head + 1) % kSlots, std::memory_order_release);
        return value;
    }

private:
    // One slot stays empty to tell a full queue from an empty one.
    static constexpr std::size_t kSlots = Capacity + 1;

    std::array<Value, kSlots> m_slots {};
    alignas(64) std::atomic<std::size_t> m_head { 0 };
    alignas(64) std::atomic<std::size_t> m_tail { 0 };
};

} // namespace veltrane
