/* The floor of the engine benchmark: raw inflate and CRC-32 of every entry of
 * a ZIP archive, natively, with nothing written. Prints the entry count.
 * Usage: floor ARCHIVE */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <zlib.h>

static uint32_t le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | (uint32_t)p[3] << 24; }
static uint32_t le16(const unsigned char* p) { return p[0] | p[1] << 8; }

static unsigned char* load(const char* path, long* size) {
  FILE* f = fopen(path, "rb");
  if (!f) return NULL;
  fseek(f, 0, SEEK_END);
  *size = ftell(f);
  fseek(f, 0, SEEK_SET);
  unsigned char* data = malloc(*size);
  if (fread(data, 1, *size, f) != (size_t)*size) { free(data); data = NULL; }
  fclose(f);
  return data;
}

static int inflate_entry(const unsigned char* in, uint32_t in_size, uint32_t method, uint32_t crc) {
  static unsigned char out[16384];
  uint32_t check = crc32(0, NULL, 0);
  if (method == 0) return crc32(check, in, in_size) == crc;
  z_stream s = {0};
  inflateInit2(&s, -MAX_WBITS);
  s.next_in = (unsigned char*)in;
  s.avail_in = in_size;
  int err;
  do {
    s.next_out = out;
    s.avail_out = sizeof out;
    err = inflate(&s, Z_NO_FLUSH);
    check = crc32(check, out, sizeof out - s.avail_out);
  } while (err == Z_OK);
  inflateEnd(&s);
  return err == Z_STREAM_END && check == crc;
}

int main(int argc, char** argv) {
  long size;
  unsigned char* zip = argc == 2 ? load(argv[1], &size) : NULL;
  if (!zip) { fprintf(stderr, "usage: floor ARCHIVE\n"); return 2; }
  const unsigned char* end = zip + size - 22;
  uint32_t entries = le16(end + 10), offset = le32(end + 16);
  const unsigned char* record = zip + offset;
  for (uint32_t i = 0; i < entries; ++i) {
    uint32_t method = le16(record + 10), crc = le32(record + 16), csize = le32(record + 20);
    uint32_t name = le16(record + 28), extra = le16(record + 30), comment = le16(record + 32);
    const unsigned char* local = zip + le32(record + 42);
    const unsigned char* data = local + 30 + le16(local + 26) + le16(local + 28);
    if (!inflate_entry(data, csize, method, crc)) { fprintf(stderr, "entry %u damaged\n", i); return 1; }
    record += 46 + name + extra + comment;
  }
  printf("entries=%u\n", entries);
  return 0;
}
