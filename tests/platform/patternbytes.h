#pragma once
// File contents for copy tests: bytes that differ from chunk to chunk, so a chunk copied twice or
// skipped shows.

#include <cstdint>
#include <string>

inline std::string pattern(std::uint64_t size)
{
    std::string bytes(size, '\0');
    for (std::uint64_t i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 4099) % 251);
    return bytes;
}
