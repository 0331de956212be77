#pragma once
// The library's flat functions have C linkage so that their names stay undecorated; a few of
// them hand std::string across, which clang warns about for C linkage.
#if defined(__clang__)
#define JOLVANE_C_BEGIN                                                                           \
    _Pragma("clang diagnostic push") _Pragma("clang diagnostic ignored \"-Wreturn-type-c-linkage\"") \
        extern "C" {
#define JOLVANE_C_END \
    }                 \
    _Pragma("clang diagnostic pop")
#else
#define JOLVANE_C_BEGIN extern "C" {
#define JOLVANE_C_END }
#endif
