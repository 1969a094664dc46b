// Marking a block's newlines, text marks (NUL, tab, backspace, vertical
// tab, form feed, carriage return) and NULs.  Only the marking of a group differs
// between the paths: SSE2 (16 bytes a compare, every x86-64 processor and
// the 32-bit ones that report it), AVX2 (32 bytes a compare, chosen at run
// time where the processor has it), and eight bytes at a time in integer
// arithmetic everywhere else.
#include "stream/byte_marks.h"

#include <cstring>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define KAZ_X86_VECTORS 1
#include <immintrin.h>
#endif

namespace kaz {

namespace {

std::size_t groups_of(std::size_t size) { return (size + MARK_GROUP - 1) / MARK_GROUP; }

// ---- Eight bytes at a time, on any machine ----

// The eight bytes at bytes as one word, the first byte in the lowest bits,
// whatever the machine's byte order.
std::uint64_t load_little_endian(const unsigned char* bytes) {
    std::uint64_t word;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    std::memcpy(&word, bytes, sizeof word);
#elif defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__ && defined(__GNUC__)
    std::memcpy(&word, bytes, sizeof word);
    word = __builtin_bswap64(word);
#else
    word = 0;
    for (int i = 7; i >= 0; --i) word = word << 8 | bytes[i];
#endif
    return word;
}

constexpr std::uint64_t EVERY_BYTE = 0x0101010101010101u;

// The top bit of every byte of word that is zero, and no other bit.  (Exact:
// adding 0x7f to the low seven bits carries into the top bit only from a
// byte that is not zero, and never into the next byte.)
std::uint64_t zero_bytes(std::uint64_t word) {
    constexpr std::uint64_t low_seven = EVERY_BYTE * 0x7f;
    return ~(((word & low_seven) + low_seven) | word | low_seven);
}

// Gathers the top bits of the eight bytes into the low eight bits, byte i's
// into bit i.
std::uint64_t gather_top_bits(std::uint64_t top_bits) {
    return ((top_bits >> 7) * 0x0102040810204080u) >> 56;
}

void mark_group_portable(const unsigned char* group, std::uint64_t& newlines, std::uint64_t& text_bytes,
                         std::uint64_t& nuls) {
    std::uint64_t n = 0;
    std::uint64_t t = 0;
    std::uint64_t z = 0;
    for (unsigned k = 0; k < MARK_GROUP / 8; ++k) {
        std::uint64_t word = load_little_endian(group + 8 * k);
        n |= gather_top_bits(zero_bytes(word ^ (EVERY_BYTE * '\n'))) << (8 * k);
        std::uint64_t nul = zero_bytes(word);
        std::uint64_t marked = nul | zero_bytes(word ^ (EVERY_BYTE * '\t')) |
                               zero_bytes(word ^ (EVERY_BYTE * '\b')) | zero_bytes(word ^ (EVERY_BYTE * '\v')) |
                               zero_bytes(word ^ (EVERY_BYTE * '\f')) | zero_bytes(word ^ (EVERY_BYTE * '\r'));
        t |= gather_top_bits(marked) << (8 * k);
        z |= gather_top_bits(nul) << (8 * k);
    }
    newlines = n;
    text_bytes = t;
    nuls = z;
}

#if KAZ_X86_VECTORS

// ---- SSE2: 16 bytes a compare ----

__attribute__((target("sse2"))) void mark_bytes_sse2(const unsigned char* bytes, std::size_t size,
                                                       std::uint64_t* newline_marks, std::uint64_t* text_marks,
                                                       std::uint64_t* nul_marks) {
    std::size_t groups = groups_of(size);
    const __m128i newline = _mm_set1_epi8('\n');
    const __m128i eight = _mm_set1_epi8(8);
    const __m128i five = _mm_set1_epi8(5);
    const __m128i nul = _mm_setzero_si128();
    for (std::size_t g = 0; g < groups; ++g) {
        std::uint64_t n = 0;
        std::uint64_t t = 0;
        std::uint64_t z = 0;
        for (unsigned k = 0; k < 4; ++k) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + MARK_GROUP * g + 16 * k));
            __m128i is_newline = _mm_cmpeq_epi8(v, newline);
            // Bytes 8 to 13 are those whose distance above 8 is at most 5;
            // the newline among them is taken out again.
            __m128i above_eight = _mm_sub_epi8(v, eight);
            __m128i eight_to_13 = _mm_cmpeq_epi8(_mm_min_epu8(above_eight, five), above_eight);
            __m128i is_nul = _mm_cmpeq_epi8(v, nul);
            __m128i text_mark = _mm_or_si128(_mm_andnot_si128(is_newline, eight_to_13), is_nul);
            auto newline_bits = static_cast<std::uint32_t>(_mm_movemask_epi8(is_newline));
            auto text_bits = static_cast<std::uint32_t>(_mm_movemask_epi8(text_mark));
            auto nul_bits = static_cast<std::uint32_t>(_mm_movemask_epi8(is_nul));
            n |= static_cast<std::uint64_t>(newline_bits) << (16 * k);
            t |= static_cast<std::uint64_t>(text_bits) << (16 * k);
            z |= static_cast<std::uint64_t>(nul_bits) << (16 * k);
        }
        newline_marks[g] = n;
        text_marks[g] = t;
        nul_marks[g] = z;
    }
}

// ---- AVX2: 32 bytes a compare ----

__attribute__((target("avx2"))) void mark_bytes_avx2(const unsigned char* bytes, std::size_t size,
                                                       std::uint64_t* newline_marks, std::uint64_t* text_marks,
                                                       std::uint64_t* nul_marks) {
    std::size_t groups = groups_of(size);
    const __m256i newline = _mm256_set1_epi8('\n');
    const __m256i eight = _mm256_set1_epi8(8);
    const __m256i five = _mm256_set1_epi8(5);
    const __m256i nul = _mm256_setzero_si256();
    for (std::size_t g = 0; g < groups; ++g) {
        std::uint64_t n = 0;
        std::uint64_t t = 0;
        std::uint64_t z = 0;
        for (unsigned k = 0; k < 2; ++k) {
            __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + MARK_GROUP * g + 32 * k));
            __m256i is_newline = _mm256_cmpeq_epi8(v, newline);
            __m256i above_eight = _mm256_sub_epi8(v, eight);
            __m256i eight_to_13 = _mm256_cmpeq_epi8(_mm256_min_epu8(above_eight, five), above_eight);
            __m256i is_nul = _mm256_cmpeq_epi8(v, nul);
            __m256i text_mark = _mm256_or_si256(_mm256_andnot_si256(is_newline, eight_to_13), is_nul);
            auto newline_bits = static_cast<std::uint32_t>(_mm256_movemask_epi8(is_newline));
            auto text_bits = static_cast<std::uint32_t>(_mm256_movemask_epi8(text_mark));
            auto nul_bits = static_cast<std::uint32_t>(_mm256_movemask_epi8(is_nul));
            n |= static_cast<std::uint64_t>(newline_bits) << (32 * k);
            t |= static_cast<std::uint64_t>(text_bits) << (32 * k);
            z |= static_cast<std::uint64_t>(nul_bits) << (32 * k);
        }
        newline_marks[g] = n;
        text_marks[g] = t;
        nul_marks[g] = z;
    }
}

#endif

}  // namespace

void mark_bytes_portable(const unsigned char* bytes, std::size_t size, std::uint64_t* newline_marks,
                         std::uint64_t* text_marks, std::uint64_t* nul_marks) {
    for (std::size_t g = 0; g < groups_of(size); ++g) {
        mark_group_portable(bytes + MARK_GROUP * g, newline_marks[g], text_marks[g], nul_marks[g]);
    }
}

std::size_t available_marking_paths(marking_path paths[MARKING_PATHS]) {
    std::size_t count = 0;
    paths[count++] = marking_path{"portable", mark_bytes_portable};
#if KAZ_X86_VECTORS
    __builtin_cpu_init();
    if (__builtin_cpu_supports("sse2")) paths[count++] = marking_path{"sse2", mark_bytes_sse2};
    if (__builtin_cpu_supports("avx2")) paths[count++] = marking_path{"avx2", mark_bytes_avx2};
#endif
    return count;
}

namespace {

// The path chosen at the first block: the widest this processor runs, the
// last one listed.  (A plain variable: the program has one thread, and a
// guarded local would need the C++ runtime library.)
marker chosen_marker = nullptr;

}  // namespace

void mark_bytes(const unsigned char* bytes, std::size_t size, std::uint64_t* newline_marks,
                std::uint64_t* text_marks, std::uint64_t* nul_marks) {
    if (chosen_marker == nullptr) {
        marking_path paths[MARKING_PATHS];
        chosen_marker = paths[available_marking_paths(paths) - 1].mark;
    }
    chosen_marker(bytes, size, newline_marks, text_marks, nul_marks);
}

}  // namespace kaz
