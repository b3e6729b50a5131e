#pragma once

// Ciphers of data, phone numbers and comments, key mixers and login passwords.
#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
#include "platform/core/short_string.h"
extern "C" {
#else
typedef struct ShortString ShortString;
#endif

void ENCRYPTDATA(void* buffer, uint16_t length, uint32_t key);
void DECRYPTDATA(void* buffer, uint16_t length, uint32_t key);
void CRYPTPHONE(void* buffer, uint16_t length, uint32_t key);
void CRYPTCOMMENT(ShortString* s);
void DECRYPTCOMMENT(ShortString* s);
void GETSESSIONKEY(uint16_t words[2]);
uint32_t GETCPSKEY(uint32_t a, uint32_t b);
void ENCRYPTLOGINPASSWORD(const ShortString* password, ShortString* out);
void DECRYPTLOGINPASSWORD(const ShortString* scrambled, ShortString* out);
bool CHECKLOGINPASSWORD(const ShortString* password, uint16_t firstText);

#ifdef __cplusplus
}
#endif
