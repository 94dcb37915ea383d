// Little-endian bytes: the one reader and writer behind every file format of the
// program (the settings file, archives, models).
//
// A ByteReader never moves past its end: every read checks what is left first and
// fails, leaving the cursor where it was, when the bytes are not there.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

struct ByteReader {
    const uint8_t* at = nullptr;
    size_t left = 0;
};

inline ByteReader byteReader(const uint8_t* bytes, size_t size) { return ByteReader{bytes, bytes ? size : 0}; }

// Hands out the next count bytes in place; false when fewer are left.
inline bool readBytes(ByteReader& r, size_t count, const uint8_t** out) {
    if (count > r.left) return false;
    *out = r.at;
    r.at += count;
    r.left -= count;
    return true;
}

inline bool skipBytes(ByteReader& r, size_t count) {
    const uint8_t* unused;
    return readBytes(r, count, &unused);
}

inline uint32_t decodeU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline int32_t decodeI32(const uint8_t* p) {
    uint32_t u = decodeU32(p);
    int32_t v;
    std::memcpy(&v, &u, 4);
    return v;
}

inline double decodeF64(const uint8_t* p) {
    uint64_t u = 0;
    for (int i = 7; i >= 0; --i) u = u << 8 | p[i];
    double d;
    std::memcpy(&d, &u, 8);
    return d;
}

inline bool readI32(ByteReader& r, int32_t& out) {
    const uint8_t* p;
    if (!readBytes(r, 4, &p)) return false;
    out = decodeI32(p);
    return true;
}

inline bool readU8(ByteReader& r, uint8_t& out) {
    const uint8_t* p;
    if (!readBytes(r, 1, &p)) return false;
    out = p[0];
    return true;
}

inline void putI32(std::vector<uint8_t>& out, int32_t v) {
    uint32_t u;
    std::memcpy(&u, &v, 4);
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(u >> (8 * i)));
}

// Overwrites four bytes already written (a length known only at the end).
inline void patchI32(std::vector<uint8_t>& out, size_t at, int32_t v) {
    uint32_t u;
    std::memcpy(&u, &v, 4);
    for (int i = 0; i < 4; ++i) out[at + size_t(i)] = uint8_t(u >> (8 * i));
}

inline void putF64(std::vector<uint8_t>& out, double d) {
    uint64_t u;
    std::memcpy(&u, &d, 8);
    for (int i = 0; i < 8; ++i) out.push_back(uint8_t(u >> (8 * i)));
}

inline void putBytes(std::vector<uint8_t>& out, const void* bytes, size_t count) {
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    out.insert(out.end(), p, p + count);
}

inline void putZeros(std::vector<uint8_t>& out, size_t count) { out.insert(out.end(), count, 0); }

// The index-th of an array of native doubles that may lie unaligned, as the
// models' arrays do in archive memory: copied out byte-wise.
inline double unalignedDouble(const double* array, size_t index) {
    double v;
    std::memcpy(&v, reinterpret_cast<const uint8_t*>(array) + index * sizeof(double), sizeof v);
    return v;
}
