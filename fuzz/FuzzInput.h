#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The fuzzer's bytes as a text, the way a person's typing reaches a box.
inline QString fuzzText(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Stops the run on a broken promise, so libFuzzer reports it as a crash.
#define FUZZ_ASSERT(cond)                                                                                    \
    do {                                                                                                     \
        if (!(cond))                                                                                         \
            __builtin_trap();                                                                                \
    } while (0)
