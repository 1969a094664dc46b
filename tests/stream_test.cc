// The marks of a block's newlines and text bytes, on every path this machine
// has, against a byte-by-byte look; and the search over them.
#include "stream/byte_marks.h"
#include "stream/stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Bytes of every value, mostly plain, so that marked bytes fall at every
// place of a group and groups without any occur too.
std::vector<unsigned char> sample_bytes(std::size_t size, std::uint32_t seed) {
    std::vector<unsigned char> bytes(size + kaz::MARK_GROUP);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        unsigned value = (seed >> 8) % 512;
        bytes[i] = static_cast<unsigned char>(value < 256 ? value : 'a' + value % 26);
    }
    return bytes;
}

void expect_exact_marks(kaz::marker mark, const char* path) {
    for (std::size_t size : {1ul, 7ul, 63ul, 64ul, 65ul, 1000ul, 4096ul}) {
        std::vector<unsigned char> bytes = sample_bytes(size, static_cast<std::uint32_t>(size));
        std::size_t groups = (size + 63) / 64;
        std::vector<std::uint64_t> newlines(groups), text_marks(groups), nuls(groups);
        mark(bytes.data(), size, newlines.data(), text_marks.data(), nuls.data());
        for (std::size_t i = 0; i < size; ++i) {
            bool newline = (newlines[i / 64] >> (i % 64)) & 1;
            bool text_mark = (text_marks[i / 64] >> (i % 64)) & 1;
            bool nul = (nuls[i / 64] >> (i % 64)) & 1;
            unsigned char b = bytes[i];
            bool wanted = b == 0 || b == '\t' || b == '\b' || b == '\v' || b == '\f' || b == '\r';
            ASSERT_EQ(newline, b == '\n') << path << ", byte " << i << " of " << size;
            ASSERT_EQ(text_mark, wanted) << path << ", byte " << int(b) << " at " << i << " of " << size;
            ASSERT_EQ(text_mark, kaz::is_text_mark(b));
            ASSERT_EQ(nul, b == 0) << path << ", byte " << i << " of " << size;
        }
    }
}

TEST(ByteMarks, EveryPathThisProcessorRunsMarksExactly) {
    kaz::marking_path paths[kaz::MARKING_PATHS];
    std::size_t count = kaz::available_marking_paths(paths);
    ASSERT_GE(count, 1u);
    for (std::size_t i = 0; i < count; ++i) expect_exact_marks(paths[i].mark, paths[i].name);
    expect_exact_marks(kaz::mark_bytes, "chosen");
}

TEST(ByteMarks, SearchesStopAtTheirEnd) {
    // A block as refill_input leaves it: a newline at 3, a tab at 70, a NUL
    // at 200, nothing else marked; a newline at 310, past the block's end,
    // is left from an earlier block.
    std::memset(kaz::input_block, 'x', 320);
    kaz::input_block[310] = '\n';
    kaz::input_block[3] = '\n';
    kaz::input_block[70] = '\t';
    kaz::input_block[200] = '\0';
    kaz::mark_input_block(300);
    const unsigned char* block = kaz::input_block;
    kaz::input_end = block + 300;
    EXPECT_EQ(kaz::next_newline(block), block + 3);
    EXPECT_EQ(kaz::next_newline(block + 3), block + 3);
    EXPECT_EQ(kaz::next_newline(block + 4), block + 300);
    auto next_text_mark = [](const unsigned char* from, const unsigned char* to) {
        return kaz::next_marked(kaz::input_text_bytes, from, to);
    };
    EXPECT_EQ(next_text_mark(block, block + 70), block + 70);
    EXPECT_EQ(next_text_mark(block, block + 71), block + 70);
    EXPECT_EQ(next_text_mark(block + 71, block + 200), block + 200);
    EXPECT_EQ(next_text_mark(block + 71, block + 201), block + 200);
    EXPECT_EQ(next_text_mark(block + 201, block + 300), block + 300);
    EXPECT_EQ(next_text_mark(block + 5, block + 5), block + 5);
    kaz::input_end = block;
}

TEST(ByteMarks, AnyMarkedAgreesWithALookAtEveryByte) {
    // Marked bytes at both ends of words and alone in the middle of one, and
    // stretches of every start and length up to five words over them.
    std::vector<unsigned char> bytes(400 + kaz::MARK_GROUP, 'x');
    for (std::size_t at : {0, 63, 64, 130, 191, 256, 320, 399}) bytes[at] = '\t';
    std::vector<std::uint64_t> newlines(7), text_marks(7), nuls(7);
    kaz::mark_bytes(bytes.data(), 400, newlines.data(), text_marks.data(), nuls.data());
    kaz::marks_view marks{text_marks.data(), bytes.data()};
    for (std::size_t from = 0; from <= 400; ++from) {
        bool seen = false;
        for (std::size_t to = from; to <= 400; ++to) {
            if (to > from) seen = seen || bytes[to - 1] == '\t';
            ASSERT_EQ(kaz::any_marked(marks, bytes.data() + from, bytes.data() + to), seen)
                << "from " << from << " to " << to;
        }
    }
}

}  // namespace
