// Test-support carrier writers: the exact inverse of the engine's carrier extraction, with
// random bits wherever the extraction ignores them, so that a reader that looks at the wrong
// bits decodes garbage instead of passing by luck.
#include "tests/support/CarrierWriter.h"

#include <zlib.h>

#include <algorithm>

#include "tests/support/SeededRandom.h"

namespace kvrtest {
namespace {

constexpr uint32_t kPixelsPerMetre = 2835;

// A picture's pixels in BMP file order: rows bottom-up, each width * 3 bytes of blue, green,
// red (no padding).
struct Pixels {
    int width = 0;
    int height = 0;
    Bytes rows;
};

// The offset of the carriers' noise. Its sequence stays as it is: the bundled samples are made with it.
constexpr uint32_t kNoise = 0x9E3779B9u;

void AppendU16(Bytes& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void AppendU32BigEndian(Bytes& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutByteValue(uint8_t* pixel, uint8_t value, SeededRandom& random) {
    pixel[0] = static_cast<uint8_t>((random.Byte() & ~3) | (value & 3));
    pixel[1] = static_cast<uint8_t>((random.Byte() & ~7) | ((value >> 2) & 7));
    pixel[2] = static_cast<uint8_t>((random.Byte() & ~7) | ((value >> 5) & 7));
}

void PutWordValues(uint8_t* pixel, uint8_t first, uint8_t second, SeededRandom& random) {
    pixel[0] = static_cast<uint8_t>((random.Byte() & ~63) | (second & 63));
    pixel[1] = static_cast<uint8_t>((random.Byte() & ~31) | (first & 15) | (((second >> 6) & 1) << 4));
    pixel[2] = static_cast<uint8_t>((random.Byte() & ~31) | (first >> 4) | (((second >> 7) & 1) << 4));
}

void AppendPngChunk(Bytes& out, const char* type, const Bytes& data) {
    AppendU32BigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(4 + data.size()));
    AppendU32BigEndian(out, static_cast<uint32_t>(crc));
}

Bytes BuildWaveData(const Bytes& payload, const WaveCarrierSpec& spec) {
    SeededRandom random(7, kNoise);
    Bytes data;
    AppendU32(data, static_cast<uint32_t>(payload.size()));
    for (size_t at = 0; at < payload.size(); at += 5) {
        uint8_t p[5];
        for (size_t k = 0; k < 5; ++k)
            p[k] = at + k < payload.size() ? payload[at + k] : random.Byte();
        for (int k = 0; k < 4; ++k) {
            const uint8_t highBits = static_cast<uint8_t>((p[0] >> (6 - 2 * k)) & 3);
            data.push_back(p[k + 1]);
            data.push_back(static_cast<uint8_t>((random.Byte() & ~3) | highBits));
        }
    }
    for (size_t k = 0; k < spec.extraDataBytes; ++k)
        data.push_back(random.Byte());
    return data;
}

Pixels BuildCarrierPixels(const Bytes& payload, const BitmapCarrierSpec& spec) {
    SeededRandom random(11, kNoise);
    Bytes carried;  // L followed by the payload
    AppendU32(carried, static_cast<uint32_t>(payload.size()));
    carried.insert(carried.end(), payload.begin(), payload.end());
    const size_t width = static_cast<size_t>(std::max(1, spec.width));
    // The first row's payload starts at pixel 2 (byte mode) or 1 (word mode); a first row
    // too narrow for that simply carries nothing more, and later rows start at pixel 0.
    const size_t firstPayloadPixel = std::min<size_t>(spec.byteMode ? 2 : 1, width);
    const size_t pixelsNeeded = firstPayloadPixel + (spec.byteMode ? carried.size() : (carried.size() + 1) / 2);
    const size_t rows = std::max(static_cast<size_t>(std::max(1, spec.minHeight)), (pixelsNeeded + width - 1) / width);

    Pixels pixels;
    pixels.width = static_cast<int>(width);
    pixels.height = static_cast<int>(rows);
    pixels.rows.resize(width * rows * 3);
    for (uint8_t& byte : pixels.rows)
        byte = random.Byte();

    uint8_t* const first = pixels.rows.data();
    PutByteValue(first, spec.byteMode ? 1 : 0, random);
    for (size_t k = 0; k < carried.size(); k += spec.byteMode ? 1 : 2) {
        uint8_t* const pixel = first + (firstPayloadPixel + (spec.byteMode ? k : k / 2)) * 3;
        if (spec.byteMode)
            PutByteValue(pixel, carried[k], random);
        else
            PutWordValues(pixel, carried[k], k + 1 < carried.size() ? carried[k + 1] : random.Byte(), random);
    }
    return pixels;
}

Bytes BuildBitmapFile(const Pixels& pixels) {
    const size_t rowLength = static_cast<size_t>(pixels.width) * 3;
    const size_t stride = (rowLength + 3) & ~static_cast<size_t>(3);
    const uint32_t pixelBytes = static_cast<uint32_t>(stride * static_cast<size_t>(pixels.height));
    Bytes file = {'B', 'M'};
    // File size, reserved, pixel offset, header size, width, height (bottom-up).
    for (uint32_t field :
         {54 + pixelBytes, 0u, 54u, 40u, static_cast<uint32_t>(pixels.width), static_cast<uint32_t>(pixels.height)})
        AppendU32(file, field);
    AppendU16(file, 1);   // planes
    AppendU16(file, 24);  // bits per pixel
    // Compression, image size, resolution twice, colours used and important.
    for (uint32_t field : {0u, 0u, kPixelsPerMetre, kPixelsPerMetre, 0u, 0u})
        AppendU32(file, field);
    for (int row = 0; row < pixels.height; ++row) {
        const auto begin = pixels.rows.begin() + static_cast<std::ptrdiff_t>(row * rowLength);
        file.insert(file.end(), begin, begin + static_cast<std::ptrdiff_t>(rowLength));
        // Padding carries nothing; odd values catch a reader that takes it for pixels.
        file.insert(file.end(), stride - rowLength, 0xA5);
    }
    return file;
}

Bytes BuildPngFile(const Pixels& pixels) {
    std::vector<uint32_t> rgb;  // top row first
    for (int row = pixels.height - 1; row >= 0; --row) {
        const uint8_t* bgr = pixels.rows.data() + static_cast<size_t>(row) * pixels.width * 3;
        for (int x = 0; x < pixels.width; ++x, bgr += 3)
            rgb.push_back(static_cast<uint32_t>(bgr[2]) << 16 | bgr[1] << 8 | bgr[0]);
    }
    return BuildPng(pixels.width, pixels.height, rgb, false, kPixelsPerMetre);
}

}  // namespace

Bytes Chunk(const char* tag, const Bytes& content) {
    Bytes out(tag, tag + 4);
    AppendU32(out, static_cast<uint32_t>(content.size()));
    out.insert(out.end(), content.begin(), content.end());
    return out;
}

Bytes FormatChunk(const WaveFormat& f) {
    const uint16_t align = f.blockAlign ? f.blockAlign : static_cast<uint16_t>(f.channels * f.bits / 8);
    Bytes content;
    AppendU16(content, f.tag);
    AppendU16(content, f.channels);
    AppendU32(content, f.rate);
    AppendU32(content, f.rate * align);
    AppendU16(content, align);
    AppendU16(content, f.bits);
    if (f.extraBytes >= 2)
        AppendU16(content, static_cast<uint16_t>(f.extraBytes - 2));
    content.resize(content.size() + f.extraBytes - (f.extraBytes >= 2 ? 2 : 0), 0);
    return Chunk("fmt ", content);
}

Bytes DataChunk(const Bytes& samples, uint32_t declared) {
    Bytes out = {'d', 'a', 't', 'a'};
    AppendU32(out, declared);
    out.insert(out.end(), samples.begin(), samples.end());
    return out;
}

Bytes RiffWave(const std::vector<Bytes>& chunks) {
    Bytes body = {'W', 'A', 'V', 'E'};
    for (const Bytes& chunk : chunks)
        body.insert(body.end(), chunk.begin(), chunk.end());
    return Chunk("RIFF", body);
}

Bytes BuildPng(int width, int height, const std::vector<uint32_t>& argb, bool withAlpha, uint32_t ppm) {
    Bytes header;
    AppendU32BigEndian(header, static_cast<uint32_t>(width));
    AppendU32BigEndian(header, static_cast<uint32_t>(height));
    // Depth 8, RGB or RGBA, deflate, filter 0, no interlace.
    const uint8_t rest[] = {8, static_cast<uint8_t>(withAlpha ? 6 : 2), 0, 0, 0};
    header.insert(header.end(), rest, rest + sizeof rest);
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter type None
        for (int x = 0; x < width; ++x) {
            const uint32_t p = argb[static_cast<size_t>(y) * width + x];
            for (int shift : {16, 8, 0, 24})
                if (shift != 24 || withAlpha)
                    raw.push_back(static_cast<uint8_t>(p >> shift));
        }
    }
    Bytes file = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    AppendPngChunk(file, "IHDR", header);
    if (ppm > 0) {
        Bytes physical;
        AppendU32BigEndian(physical, ppm);
        AppendU32BigEndian(physical, ppm);
        physical.push_back(1);  // unit: metre
        AppendPngChunk(file, "pHYs", physical);
    }
    AppendPngChunk(file, "IDAT", ZlibCompress(raw));
    AppendPngChunk(file, "IEND", Bytes());
    return file;
}

Bytes BuildWaveCarrier(const Bytes& payload, const WaveCarrierSpec& spec) {
    return RiffWave({FormatChunk(WaveFormat()), Chunk("data", BuildWaveData(payload, spec))});
}

Bytes BuildBitmapCarrier(const Bytes& payload, const BitmapCarrierSpec& spec) {
    return BuildBitmapFile(BuildCarrierPixels(payload, spec));
}

Bytes BuildPngCarrier(const Bytes& payload, const BitmapCarrierSpec& spec) {
    return BuildPngFile(BuildCarrierPixels(payload, spec));
}

}  // namespace kvrtest
