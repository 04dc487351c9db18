// A copy of the shared state floor, so that the benchmark builds from this tree alone.
// The floor of a replay player: read each script line, keep a 32-bit value, and write one JSON
// state line of the same shape as quibo-cli's (display, hex, decimal, 32-bit binary in groups,
// byte order, type, status, messages, wrap). No form, no notifications: only the reading,
// the arithmetic and the formatting every player must do.
#include <cstdint>
#include <cstdio>
#include <cstring>
int main(int argc, char** argv) {
  FILE* in = argc > 1 ? std::fopen(argv[1], "r") : stdin;
  if (!in) return 2;
  static char line[1 << 16], out[512], bin[48];
  uint32_t v = 0;
  while (std::fgets(line, sizeof line, in)) {
    for (const char* p = line; *p; ++p)
      if (*p >= '0' && *p <= '9') v = v * 16 + uint32_t(*p - '0');
      else if (*p >= 'A' && *p <= 'F') v = v * 16 + uint32_t(*p - 'A' + 10);
      else if (*p == '+') v += 1;
    char* b = bin;
    for (int i = 31; i >= 0; --i) {
      *b++ = char('0' + ((v >> i) & 1));
      if (i && i % 4 == 0) *b++ = ' ';
    }
    *b = 0;
    int n = std::snprintf(out, sizeof out,
        "{\"display\":\"%X\",\"hex\":\"%08X\",\"decimal\":\"%u\",\"binary\":\"%s\",\"byteorder\":\"Mot\","
        "\"datatype\":\"unsigned long\",\"status\":\" \",\"messages\":[],\"wrap\":\"\"}\n", v, v, v, bin);
    std::fwrite(out, 1, size_t(n), stdout);
  }
  return 0;
}
