// Marks of the bytes that the record readers and the tab expansion look
// for, made in one pass over each input block as it arrives: one bit for
// every byte, in three sets.  Newline marks show where text lines end.  Text
// marks show the bytes that make a record's text more than a plain copy:
// NUL (ends the text), tab (becomes spaces), and backspace, vertical tab,
// form feed and carriage return (move the column other than by one).  NUL
// marks show the NULs alone, so that the end of a text is found without
// looking at its bytes.  With them a reader finds a record's end and learns
// what its text holds, and the tab expansion goes from one marked byte to
// the next, without another pass over the bytes.
#ifndef KAZ_STREAM_BYTE_MARKS_H
#define KAZ_STREAM_BYTE_MARKS_H

#include <cstddef>
#include <cstdint>

namespace kaz {

// Bytes marked by one word of marks: bit i of word g marks byte 64g + i.
constexpr std::size_t MARK_GROUP = 64;

// Marks the size bytes at bytes, a group of 64 at a time: newline_marks,
// text_marks and nul_marks each receive (size + 63) / 64 words.  The bytes
// must be readable up to the end of their last group; the marks of bytes
// past size say nothing.  Uses the widest vector instructions the processor
// has.
void mark_bytes(const unsigned char* bytes, std::size_t size, std::uint64_t* newline_marks,
                std::uint64_t* text_marks, std::uint64_t* nul_marks);

// The same, eight bytes at a time in plain integer arithmetic, the same on
// every machine; the path of machines without a vector path here.
void mark_bytes_portable(const unsigned char* bytes, std::size_t size, std::uint64_t* newline_marks,
                         std::uint64_t* text_marks, std::uint64_t* nul_marks);

// A way of marking: mark_bytes and each of its paths.
using marker = void (*)(const unsigned char* bytes, std::size_t size, std::uint64_t* newline_marks,
                        std::uint64_t* text_marks, std::uint64_t* nul_marks);

// One way of marking, with its name, for the tests that hold every path this
// processor runs to the same marks.
struct marking_path {
    const char* name;
    marker mark;
};

// The paths this processor runs, narrowest first, the portable one always
// among them; returns how many were put in paths (at most MARKING_PATHS).
// mark_bytes uses the last.
constexpr std::size_t MARKING_PATHS = 3;
std::size_t available_marking_paths(marking_path paths[MARKING_PATHS]);

// Whether a byte is one that text marks mark.
constexpr bool is_text_mark(unsigned char byte) {
    return byte == '\0' || byte == '\t' || byte == '\b' || byte == '\v' || byte == '\f' || byte == '\r';
}

// The position of the lowest set bit of a word that has one.
inline unsigned lowest_mark(std::uint64_t marks) {
#if defined(__GNUC__)
    return static_cast<unsigned>(__builtin_ctzll(marks));
#else
    unsigned position = 0;
    while ((marks & 1) == 0) {
        marks >>= 1;
        ++position;
    }
    return position;
#endif
}

// One set of marks over some bytes: bit i of words[g] marks origin[64g + i].
struct marks_view {
    const std::uint64_t* words;
    const unsigned char* origin;
};

// A walk over the marked bytes of a stretch, in order, one word of marks at
// a time: the marks of the current word not yet visited, and where the
// stretch ends.
struct marks_walk {
    marks_view marks;
    std::size_t group;      // the word of marks being visited
    std::size_t end;        // offset of the end of the stretch from marks.origin
    std::uint64_t pending;  // marks of that word not yet visited
};

// Starts a walk over the marked bytes from from up to to, both among the
// marked bytes.
inline marks_walk walk_marks(marks_view marks, const unsigned char* from, const unsigned char* to) {
    auto offset = static_cast<std::size_t>(from - marks.origin);
    marks_walk walk{marks, offset / MARK_GROUP, static_cast<std::size_t>(to - marks.origin), 0};
    if (from < to) walk.pending = marks.words[walk.group] & (~std::uint64_t{0} << (offset % MARK_GROUP));
    return walk;
}

// The next marked byte of the walk, or nullptr when none is left.
inline const unsigned char* next_mark(marks_walk& walk) {
    while (walk.pending == 0) {
        if (++walk.group * MARK_GROUP >= walk.end) return nullptr;
        walk.pending = walk.marks.words[walk.group];
    }
    std::size_t at = walk.group * MARK_GROUP + lowest_mark(walk.pending);
    if (at >= walk.end) return nullptr;
    walk.pending &= walk.pending - 1;
    return walk.marks.origin + at;
}

// The first marked byte at or after from and before to, or to when there is
// none.
inline const unsigned char* next_marked(marks_view marks, const unsigned char* from, const unsigned char* to) {
    marks_walk walk = walk_marks(marks, from, to);
    const unsigned char* marked = next_mark(walk);
    return marked != nullptr ? marked : to;
}

// Whether any byte from from up to to is marked.  Called for every record:
// a stretch of up to three words (every record of up to 130 bytes) is
// looked at without a branch on its length, and only a longer one loops
// over the words between.
inline bool any_marked(marks_view marks, const unsigned char* from, const unsigned char* to) {
    if (from >= to) return false;
    auto first = static_cast<std::size_t>(from - marks.origin);
    auto last = static_cast<std::size_t>(to - marks.origin) - 1;
    std::size_t group = first / MARK_GROUP;
    std::size_t last_group = last / MARK_GROUP;
    constexpr std::uint64_t ALL = ~std::uint64_t{0};
    std::uint64_t head = ALL << (first % MARK_GROUP);  // the stretch's bits of its first word
    std::uint64_t tail = ALL >> (MARK_GROUP - 1 - last % MARK_GROUP);  // and of its last
    bool one_word = group == last_group;
    std::size_t words = last_group - group + 1;
    std::size_t second = words >= 2 ? group + 1 : group;
    std::uint64_t found = (marks.words[group] & head & (one_word ? tail : ALL)) |
                          (marks.words[last_group] & tail & (one_word ? 0 : ALL)) |
                          (marks.words[second] & (words >= 3 ? ALL : 0));
    for (std::size_t g = group + 2; g < last_group; ++g) found |= marks.words[g];
    return found != 0;
}

}  // namespace kaz

#endif
