#include <cstdlib>

#include "input/record_reader.h"
#include "stream/stream.h"

namespace kaz {

void allocate_record_buffer(record_buffer& buffer) {
    buffer.bytes = static_cast<unsigned char*>(std::malloc(RECORD_BUFFER_SIZE));
    if (buffer.bytes == nullptr) fail_out_of_memory();
    buffer.capacity = RECORD_BUFFER_SIZE;
}

void reserve_record_buffer(record_buffer& buffer, std::size_t size) {
    if (size <= buffer.capacity) return;
    std::size_t capacity = buffer.capacity;
    while (capacity < size) {
        if (capacity > SIZE_MAX / 2) {
            capacity = size;
            break;
        }
        capacity *= 2;
    }
    void* grown = std::realloc(buffer.bytes, capacity);
    if (grown == nullptr) fail_out_of_memory();
    buffer.bytes = static_cast<unsigned char*>(grown);
    buffer.capacity = capacity;
}

}  // namespace kaz
