// The sparse inverse DCT against the full one, bit for bit: random blocks whose nonzero
// values lie in chosen rows and columns (with marks both tight and loose), the shapes the
// decoder meets most (DC alone, DC with the mismatch control's last coefficient), and the
// extremes of the value range.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

#include "preview/idct.h"

namespace velmorin::preview {
namespace {

using Block = std::array<std::int32_t, 64>;

// Marks exactly the rows and columns that hold a nonzero value.
void tightMarks(const Block& b, unsigned& rows, unsigned& columns) {
    rows = columns = 0;
    for (int p = 0; p < 64; ++p)
        if (b[static_cast<std::size_t>(p)] != 0) {
            rows |= 1u << (p / 8);
            columns |= 1u << (p % 8);
        }
}

void expectSame(const Block& in, unsigned rows, unsigned columns) {
    Block full = in;
    inverseTransform(full.data());
    Block sparse;
    sparse.fill(12345);  // every output must be written
    const Block before = in;
    inverseTransformSparse(in.data(), sparse.data(), rows, columns);
    ASSERT_EQ(in, before);
    for (int p = 0; p < 64; ++p)
        ASSERT_EQ(sparse[static_cast<std::size_t>(p)], full[static_cast<std::size_t>(p)])
            << "position " << p << ", rows " << rows << ", columns " << columns;
}

TEST(SparseTransform, EqualsTheFullTransformOnRandomSparseBlocks) {
    std::mt19937 random(11);
    for (int n = 0; n < 200000; ++n) {
        // Rows and columns that may hold values, from single ones to all eight.
        const unsigned rowSet = random() & 0xFF;
        const unsigned columnSet = random() & 0xFF;
        const int range = (n % 3 == 0) ? 2 : (n % 3 == 1 ? 64 : 2048);
        std::uniform_int_distribution<int> value(-range, range - 1);
        const int density = 1 + static_cast<int>(random() % 64);
        Block b{};
        for (int p = 0; p < 64; ++p)
            if (((rowSet >> (p / 8)) & 1) && ((columnSet >> (p % 8)) & 1) &&
                static_cast<int>(random() % 64) < density)
                b[static_cast<std::size_t>(p)] = value(random);
        unsigned rows, columns;
        tightMarks(b, rows, columns);
        expectSame(b, rows, columns);
        // Marks wider than the values are allowed.
        expectSame(b, rows | (random() & 0xFF), columns | (random() & 0xFF));
        expectSame(b, 0xFF, 0xFF);
        if (HasFatalFailure()) return;
    }
}

TEST(SparseTransform, EqualsTheFullTransformOnTheCommonShapes) {
    for (int dc = -2048; dc <= 2047; ++dc) {
        Block b{};
        b[0] = dc;
        expectSame(b, 1, 1);
        for (const int last : {-2048, -2, -1, 1, 2, 2047}) {
            b[63] = last;
            expectSame(b, 0x81, 0x81);
            // The same marks with the other two corners set: not the DC-and-last shape.
            b[7] = last;
            expectSame(b, 0x81, 0x81);
            b[7] = 0;
            b[56] = -last;
            expectSame(b, 0x81, 0x81);
            b[56] = 0;
        }
        if (HasFatalFailure()) return;
    }
    expectSame(Block{}, 0, 0);
    expectSame(Block{}, 0xFF, 0xFF);
}

TEST(SparseTransform, EqualsTheFullTransformAtTheEndsOfTheRange) {
    std::mt19937 random(5);
    for (int n = 0; n < 20000; ++n) {
        Block b;
        for (auto& v : b) v = (random() & 1) ? 2047 : -2048;
        // Sign patterns that push the sums to their largest sizes.
        if (n % 4 == 1)
            for (int p = 0; p < 64; ++p)
                b[static_cast<std::size_t>(p)] = ((p / 8 + p % 8) & 1) ? 2047 : -2048;
        if (n % 4 == 2) b.fill(-2048);
        if (n % 4 == 3) b.fill(2047);
        expectSame(b, 0xFF, 0xFF);
        const unsigned keepRows = random() & 0xFF;
        for (int p = 0; p < 64; ++p)
            if (!((keepRows >> (p / 8)) & 1)) b[static_cast<std::size_t>(p)] = 0;
        unsigned rows, columns;
        tightMarks(b, rows, columns);
        expectSame(b, rows, columns);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace velmorin::preview
