#include "interchange/des.h"

#include <nettle/des.h>

#include <cstring>

bool DES::Des_Go(unsigned char* output, const unsigned char* input, std::int32_t length, const unsigned char* key,
                 std::int32_t keyLength, bool decrypt)
{
    if (!output || !input || !key || length <= 0)
        return false;
    unsigned char keys[16] = {};
    std::memcpy(keys, key, static_cast<std::size_t>(keyLength < 0 ? 0 : keyLength > 16 ? 16 : keyLength));
    // The schedules live on the stack, so calls from several threads do not meet. Nettle
    // reports weak keys through its result; DES accepts them like any other key.
    des_ctx k1;
    des_ctx k2;
    (void)des_set_key(&k1, keys);
    const bool triple = keyLength >= 9;
    if (triple)
        (void)des_set_key(&k2, keys + 8);
    const std::size_t blocks = (static_cast<std::size_t>(length) + 7) / 8;
    for (std::size_t b = 0; b < blocks; ++b) {
        const unsigned char* src = input + b * DES_BLOCK_SIZE;
        unsigned char* dst = output + b * DES_BLOCK_SIZE;
        if (!triple) {
            decrypt ? des_decrypt(&k1, DES_BLOCK_SIZE, dst, src) : des_encrypt(&k1, DES_BLOCK_SIZE, dst, src);
        } else if (!decrypt) {
            des_encrypt(&k1, DES_BLOCK_SIZE, dst, src);
            des_decrypt(&k2, DES_BLOCK_SIZE, dst, dst);
            des_encrypt(&k1, DES_BLOCK_SIZE, dst, dst);
        } else {
            des_decrypt(&k1, DES_BLOCK_SIZE, dst, src);
            des_encrypt(&k2, DES_BLOCK_SIZE, dst, dst);
            des_decrypt(&k1, DES_BLOCK_SIZE, dst, dst);
        }
    }
    return true;
}
