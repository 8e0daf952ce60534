// CarrierDecode: eight pixels or two wave groups at a time with SSSE3 byte shuffles where the
// processor has them, one at a time otherwise; both give the same bytes.
#include "engine/CarrierDecode.h"

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

void DecodeGroupsOneByOne(const uint8_t* s, int count, uint8_t* out) {
    for (int g = 0; g < count; ++g, s += 8, out += 5) {
        out[0] = static_cast<uint8_t>((s[1] & 3) << 6 | (s[3] & 3) << 4 | (s[5] & 3) << 2 | (s[7] & 3));
        out[1] = s[0];
        out[2] = s[2];
        out[3] = s[4];
        out[4] = s[6];
    }
}

// Two groups (16 bytes, eight 16-bit samples) at a time: the two low bits of each high byte,
// weighted 64, 16, 4, 1 and summed per group, give the first payload byte; shuffles put it
// before the group's four low bytes. Each store writes 16 bytes, of which 10 are results.
__attribute__((target("ssse3"))) void DecodeGroupsTwoAtATime(const uint8_t* s, int count, uint8_t* out) {
    const char z = -128;
    const __m128i lowBytes = _mm_setr_epi8(z, 0, 2, 4, 6, z, 8, 10, 12, 14, z, z, z, z, z, z);
    const __m128i firstBytes = _mm_setr_epi8(0, z, z, z, z, 8, z, z, z, z, z, z, z, z, z, z);
    const __m128i weights = _mm_setr_epi16(64, 16, 4, 1, 64, 16, 4, 1);
    const __m128i lowTwoBits = _mm_set1_epi16(3);
    int g = 0;
    for (; g + 2 <= count; g += 2, s += 16, out += 10) {
        const __m128i samples = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        const __m128i bits = _mm_and_si128(_mm_srli_epi16(samples, 8), lowTwoBits);
        const __m128i pairs = _mm_madd_epi16(bits, weights);
        const __m128i sums = _mm_add_epi32(pairs, _mm_srli_epi64(pairs, 32));
        const __m128i result = _mm_or_si128(_mm_shuffle_epi8(samples, lowBytes), _mm_shuffle_epi8(sums, firstBytes));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), result);
    }
    DecodeGroupsOneByOne(s, count - g, out);
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

void DecodeWaveGroups(const uint8_t* samples, int count, uint8_t* out) {
    static const bool shuffles = HasSsse3();
    if (shuffles)
        DecodeGroupsTwoAtATime(samples, count, out);
    else
        DecodeGroupsOneByOne(samples, count, out);
}
