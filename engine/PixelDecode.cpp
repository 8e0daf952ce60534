// PixelDecode: eight pixels at a time with SSSE3 byte shuffles where the processor has them,
// one at a time otherwise; both give the same bytes.
#include "engine/PixelDecode.h"

#include <cpuid.h>
#include <tmmintrin.h>

namespace {

void DecodeOneByOne(const uint8_t* bgr, int count, uint8_t* out) {
    for (int k = 0; k < count; ++k, bgr += 3) {
        out[2 * k] = static_cast<uint8_t>((bgr[1] & 15) | (bgr[2] & 15) << 4);
        out[2 * k + 1] = static_cast<uint8_t>((bgr[0] & 63) | (bgr[1] & 16) << 2 | (bgr[2] & 16) << 3);
    }
}

// Eight pixels are 24 bytes, read as bytes 0..15 and 8..23. Shuffles gather, per 16-bit lane
// i, green and red (G | R << 8) and blue in the high byte (B << 8); then the lane's value
// first | second << 8 is
//   (GR & 0x000F) | (GR >> 4 & 0x00F0) | (B << 8 & 0x3F00) | (GR << 10 & 0x4000) | (GR << 3 & 0x8000)
__attribute__((target("ssse3"))) void DecodeEightAtATime(const uint8_t* bgr, int count, uint8_t* out) {
    const char z = -128;  // a shuffle index that gives 0
    // Pixels 0..4 from the first load (pixel i at byte 3i), 5..7 from the second (at 3i - 8).
    const __m128i greenRedLow = _mm_setr_epi8(1, 2, 4, 5, 7, 8, 10, 11, 13, 14, z, z, z, z, z, z);
    const __m128i greenRedHigh = _mm_setr_epi8(z, z, z, z, z, z, z, z, z, z, 8, 9, 11, 12, 14, 15);
    const __m128i blueLow = _mm_setr_epi8(z, 0, z, 3, z, 6, z, 9, z, 12, z, z, z, z, z, z);
    const __m128i blueHigh = _mm_setr_epi8(z, z, z, z, z, z, z, z, z, z, z, 7, z, 10, z, 13);
    const __m128i mask0F = _mm_set1_epi16(0x000F);
    const __m128i maskF0 = _mm_set1_epi16(0x00F0);
    const __m128i mask3F00 = _mm_set1_epi16(0x3F00);
    const __m128i mask4000 = _mm_set1_epi16(0x4000);
    const __m128i mask8000 = _mm_set1_epi16(static_cast<short>(0x8000));
    int k = 0;
    for (; k + 8 <= count; k += 8, bgr += 24, out += 16) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr + 8));
        const __m128i greenRed = _mm_or_si128(_mm_shuffle_epi8(low, greenRedLow), _mm_shuffle_epi8(high, greenRedHigh));
        const __m128i blue = _mm_or_si128(_mm_shuffle_epi8(low, blueLow), _mm_shuffle_epi8(high, blueHigh));
        __m128i value = _mm_and_si128(greenRed, mask0F);
        value = _mm_or_si128(value, _mm_and_si128(_mm_srli_epi16(greenRed, 4), maskF0));
        value = _mm_or_si128(value, _mm_and_si128(blue, mask3F00));
        value = _mm_or_si128(value, _mm_and_si128(_mm_slli_epi16(greenRed, 10), mask4000));
        value = _mm_or_si128(value, _mm_and_si128(_mm_slli_epi16(greenRed, 3), mask8000));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), value);
    }
    DecodeOneByOne(bgr, count - k, out);
}

bool HasSsse3() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    return __get_cpuid(1, &eax, &ebx, &ecx, &edx) && (ecx & bit_SSSE3) != 0;
}

}  // namespace

void DecodeWordPixels(const uint8_t* bgr, int count, uint8_t* out) {
    static const bool shuffles = HasSsse3();
    if (shuffles)
        DecodeEightAtATime(bgr, count, out);
    else
        DecodeOneByOne(bgr, count, out);
}
