// CRC-32 of the ISO-HDLC kind, as zlib's crc32: the reflected polynomial
// 0xEDB88320, initial and final value 0xFFFFFFFF (the check value of
// "123456789" is 0xCBF43926). The files the program keeps carry it.
#pragma once

#include <cstddef>
#include <cstdint>

uint32_t Crc32(const uint8_t* data, std::size_t size);
