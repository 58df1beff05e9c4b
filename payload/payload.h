// The payload block in the program's read-only data: a 32-bit little-endian
// marker (always 1), a 32-bit little-endian byte count N, then the N bytes of
// the payload archive, a ZIP archive.
#pragma once

extern "C" const unsigned char lanjian_payload_block[];
