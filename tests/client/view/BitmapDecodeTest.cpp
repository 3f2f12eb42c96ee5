#include <gtest/gtest.h>

#include <cstring>

#include "BitmapDecode.h"
#include "DxMath.h"

using namespace skx;

namespace {

// A 24-bit bitmap of width x |height| whose pixel (x, y) of the stored rows is (r=x, g=row, b=7),
// rows padded to four bytes with 0xEE; with fileHeader, a BITMAPFILEHEADER and a gap first.
std::vector<uint8_t> Bitmap(int32_t width, int32_t height, bool fileHeader) {
    auto put32 = [](std::vector<uint8_t>& b, uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    const int32_t rows = height < 0 ? -height : height;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    std::vector<uint8_t> b;
    if (fileHeader) {
        b = {'B', 'M'};
        put32(b, 0), put32(b, 0), put32(b, 14 + 40 + 6);  // pixels after a 6-byte gap
    }
    for (uint32_t v : {40u, static_cast<uint32_t>(width), static_cast<uint32_t>(height), 1u | (24u << 16), 0u,
                       static_cast<uint32_t>(stride * rows), 0u, 0u, 0u, 0u})
        put32(b, v);
    if (fileHeader) b.insert(b.end(), 6, 0x55);
    for (int32_t row = 0; row < rows; ++row) {
        for (int32_t x = 0; x < width; ++x) b.insert(b.end(), {7, static_cast<uint8_t>(row), static_cast<uint8_t>(x)});
        b.insert(b.end(), stride - static_cast<size_t>(width) * 3, 0xEE);
    }
    return b;
}

}  // namespace

TEST(BitmapDecode, BottomUpRowsAreFlippedBgrIsSwappedAndPaddingSkipped) {
    const std::vector<uint8_t> bytes = Bitmap(3, 2, false);
    auto t = DecodeDib(bytes);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->Width, 3);
    EXPECT_EQ(t->Height, 2);
    // Stored row 1 is the top one.
    EXPECT_EQ(t->Argb, (std::vector<uint32_t>{0xFF000107, 0xFF010107, 0xFF020107, 0xFF000007, 0xFF010007, 0xFF020007}));
}

TEST(BitmapDecode, TopDownRowsAndFileHeaderOffset) {
    auto topDown = DecodeDib(Bitmap(3, -2, false));
    ASSERT_TRUE(topDown);
    EXPECT_EQ(topDown->Argb[0], 0xFF000007u);
    EXPECT_EQ(topDown->Argb[3], 0xFF000107u);
    auto file = DecodeBmpFile(Bitmap(5, 2, true));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Argb[4], 0xFF040107u);
    EXPECT_EQ(file->Argb[9], 0xFF040007u);
}

TEST(BitmapDecode, RefusesShortOrUnsupportedData) {
    std::vector<uint8_t> bytes = Bitmap(4, 4, false);
    bytes.pop_back();
    EXPECT_FALSE(DecodeDib(bytes));
    bytes = Bitmap(4, 4, false);
    bytes[14] = 8;  // 8 bits per pixel
    EXPECT_FALSE(DecodeDib(bytes));
    EXPECT_FALSE(DecodeBmpFile(Bitmap(4, 4, false)));  // no file header
    std::vector<uint8_t> huge = Bitmap(1, 1, false);
    std::memcpy(&huge[4], "\xFF\xFF\xFF\x7F", 4);
    EXPECT_FALSE(DecodeDib(huge));
}

TEST(BitmapDecode, ColourKeyIsExact) {
    Texels t{3, 1, {0xFFFF00FF, 0xFFFE00FF, 0xFFFF01FF}};
    ApplyColourKey(t, 0xFFFF00FF);
    EXPECT_EQ(t.Argb, (std::vector<uint32_t>{0, 0xFFFE00FF, 0xFFFF01FF}));
}

TEST(DxMath, ArgbClampsEachPartAndIdentityHasOnesOnTheDiagonal) {
    EXPECT_EQ(argb(300, -5, 128, 255), 0xFF0080FFu);
    const Matrix4 m = IdentityMatrix();
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_EQ(m.m[i][j], i == j ? 1.0f : 0.0f);
}
