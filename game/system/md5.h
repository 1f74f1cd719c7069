// MD5 message digest (RFC 1321), in the RFC's three-call form.
#pragma once
#include <cstddef>
#include <cstdint>

struct MD5Context {
    uint32_t state[4];
    uint64_t bit_count;
    uint8_t buffer[64];
};

void MD5Init(MD5Context* context);
void MD5Update(MD5Context* context, const void* data, size_t length);
// Writes the 16-byte digest and wipes the context.
void MD5Final(uint8_t digest[16], MD5Context* context);
