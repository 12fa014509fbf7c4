// Arrays in NX memory that release themselves: what the add-on hands to NX is allocated with
// UF_allocate_memory, and freed with UF_free on every path unless it is handed on.
#ifndef MY_FUNC_NX_MEMORY_H_INCLUDED
#define MY_FUNC_NX_MEMORY_H_INCLUDED

#include "my_func/my_func.h"
#include "uf.h"

template <typename T>
class nx_array {
public:
    nx_array() = default;
    nx_array(const nx_array &) = delete;
    nx_array &operator=(const nx_array &) = delete;
    ~nx_array() { reset(); }

    // count elements, uninitialised; 0 when NX has no memory (reported in the listing window),
    // the array then empty. A count of 0 or less gives an empty array and 1.
    int allocate(int count) {
        reset();
        if (count <= 0) return 1;
        int error = 0;
        void *block = UF_allocate_memory(static_cast<unsigned int>(count * sizeof(T)), &error);
        report_nx_call(__FILE__, __LINE__, "UF_allocate_memory(count * sizeof(T), &error)", error);
        if (error != 0 || !block) return 0;
        items_ = static_cast<T *>(block);
        count_ = count;
        return 1;
    }
    // Grows (or shrinks) to count elements keeping the first ones, one block moved by
    // UF_reallocate_memory; 0 when NX has no memory (reported), the array then as it was.
    int grow(int count) {
        if (count <= 0) {
            reset();
            return 1;
        }
        int error = 0;
        void *block = items_ ? UF_reallocate_memory(items_, static_cast<unsigned int>(count * sizeof(T)), &error)
                             : UF_allocate_memory(static_cast<unsigned int>(count * sizeof(T)), &error);
        report_nx_call(__FILE__, __LINE__, "UF_reallocate_memory(items, count * sizeof(T), &error)", error);
        if (error != 0 || !block) return 0;
        items_ = static_cast<T *>(block);
        count_ = count;
        return 1;
    }
    void reset() {
        if (items_) UF_free(items_);
        items_ = nullptr;
        count_ = 0;
    }
    // The array for a new owner, who frees it with UF_free.
    T *release() {
        T *items = items_;
        items_ = nullptr;
        count_ = 0;
        return items;
    }
    T *get() const { return items_; }
    int count() const { return count_; }
    T &operator[](int i) const { return items_[i]; }

private:
    T *items_ = nullptr;
    int count_ = 0;
};

#endif
