// Recycled coroutine frames. Frames are small and short-lived; a free list per
// 64-byte size class serves them without touching the heap after warm-up.

#include "Task.h"

#include <array>
#include <cstdlib>

namespace vemo::detail {
namespace {

constexpr std::size_t kGranule = 64;
constexpr std::size_t kClasses = 32; // frames up to 2 KiB are pooled

struct FreeNode {
    FreeNode* next;
};

struct Pool {
    std::array<FreeNode*, kClasses> heads{};
    constexpr Pool() = default;
    ~Pool()
    {
        for (FreeNode*& head : heads) {
            while (head) {
                FreeNode* next = head->next;
                std::free(head);
                head = next;
            }
        }
    }
};

// A plain global rather than a function-local static: no guard check on every frame.
constinit Pool thePool;

Pool& ThePool() { return thePool; }

// Under AddressSanitizer every frame goes to the heap, so a use after free is caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooling = false;
#else
constexpr bool kPooling = true;
#endif

std::size_t ClassOf(std::size_t size) { return kPooling ? (size + kGranule - 1) / kGranule : kClasses; }

} // namespace

void* AllocateFrame(std::size_t size)
{
    const std::size_t cls = ClassOf(size);
    if (cls < kClasses) {
        FreeNode*& head = ThePool().heads[cls];
        if (head) {
            FreeNode* frame = head;
            head = frame->next;
            return frame;
        }
        if (void* frame = std::malloc(cls * kGranule)) return frame;
        throw std::bad_alloc();
    }
    if (void* frame = std::malloc(size)) return frame;
    throw std::bad_alloc();
}

void FreeFrame(void* frame, std::size_t size) noexcept
{
    const std::size_t cls = ClassOf(size);
    if (cls < kClasses) {
        auto* node = static_cast<FreeNode*>(frame);
        node->next = ThePool().heads[cls];
        ThePool().heads[cls] = node;
        return;
    }
    std::free(frame);
}

} // namespace vemo::detail
