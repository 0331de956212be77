#pragma once
// DES in electronic-codebook mode over whole 8-byte blocks. The block cipher itself is
// Nettle's; this class only decides between single DES and two-key triple DES from the key
// length and walks the blocks.
#include <cstdint>

class DES {
public:
    // Encrypts (decrypt false) or decrypts ceil(length / 8) blocks from input to output (which
    // may be the same buffer). Both buffers must hold whole blocks: there is no padding.
    // A key of up to 8 bytes (zero-padded) gives single DES; 9 to 16 bytes give two-key triple
    // DES with bytes 9 to 16 (zero-padded) as the second key; bytes past 16 are ignored.
    // False for a null pointer or no block to process.
    static bool Des_Go(unsigned char* output, const unsigned char* input, std::int32_t length,
                       const unsigned char* key, std::int32_t keyLength, bool decrypt);
};
