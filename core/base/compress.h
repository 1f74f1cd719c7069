// Compressed blocks: six lossless byte-stream methods behind one block
// format, a 16-byte "CMP0" header naming the method and both sizes followed
// by the method's stream.
//
// Every stream read from outside is checked as it is decoded: a corrupt
// stream ends the program with a message and never reads or writes outside
// the buffers it was given.
#pragma once
#include <cstdint>
#include <cstdio>

constexpr int COMPRESS_METHOD_COUNT = 6;
constexpr uint32_t COMPRESS_HEADER_SIZE = 16;

enum CompressMethod : int {
    COMPRESS_PREDICTOR = 0,    // order-2 predictor
    COMPRESS_HUFFMAN = 1,      // Huffman code with stored tree
    COMPRESS_MTF_HUFFMAN = 2,  // move-to-front, then Huffman
    COMPRESS_LZ77 = 3,         // LZ77 with escape byte
    COMPRESS_ZERO_RUNS = 4,    // zero-run length coding
    COMPRESS_RUNS = 5,         // run length coding with escape byte
};

// The block header, little-endian on disk.
struct CompressHeader {
    uint16_t method;
    uint32_t packed;    // stream bytes after the header
    uint32_t unpacked;  // bytes the stream decodes to
};
void CompressWriteHeader(uint8_t* out, const CompressHeader& header);
// False when the bytes do not begin with the magic "CMP0".
bool CompressReadHeader(const uint8_t* in, CompressHeader* header);

// Compresses the block held by *source_owner into a new managed block
// ("ManualFree") for dest_owner: header + stream, whose size goes to
// result_size.
void CompressData(int method, void* source_owner, uint32_t source_size, void* dest_owner,
                  uint32_t* result_size);
// Decodes a whole block (header included); returns the unpacked size.
uint32_t DecompressDataMem(const void* block, uint32_t block_size, void* dest, uint32_t capacity);
// Decodes a block of stored_size bytes from the file's current position.
uint32_t DecompressDataFile(std::FILE* file, uint32_t stored_size, void* dest, uint32_t capacity);

// The per-method entry points.  The compressor's destination must hold
// CompressWorstCase(method, size) bytes; the decoders never write more than
// capacity bytes.
void CompressDataMem2Mem(int method, const void* source, uint32_t size, void* dest, uint32_t* result_size);
void UncompressDataMem2Mem(int method, const void* source, uint32_t size, void* dest, uint32_t capacity,
                           uint32_t* result_size);
void DecompressDataFile2Mem(int method, std::FILE* file, uint32_t size, void* dest, uint32_t capacity,
                            uint32_t* result_size);
uint32_t CompressWorstCase(int method, uint32_t size);

int GetNumCompressors();
uint32_t GetCompressorInfo(int method);
int ChooseCompressor(uint32_t flags);

// Method 2 undoes its move-to-front in the fastest form the processor has:
// on 512-bit vectors, on 16-byte shuffles, or byte by byte in memory; all
// give the same bytes.  Tests and benchmarks hold it to a slower form to
// compare them.
enum class MoveToFrontForm : int { kPlain, kShuffle, kWide };
bool CompressMoveToFrontAvailable(MoveToFrontForm form);
void CompressLimitMoveToFront(MoveToFrontForm fastest);
