// The floor for quibo-cli's benchmarks: starts, reads each line of a file
// and writes it out again, and does nothing else.
#include <cstdio>
#include <cstdlib>

#include <stdio.h>

int main(int argc, char** argv)
{
    std::FILE* in = argc > 1 ? std::fopen(argv[1], "rb") : stdin;
    if (!in)
        return 2;
    char* line = nullptr;
    std::size_t capacity = 0;
    ssize_t length;
    while ((length = getline(&line, &capacity, in)) > 0)
        std::fwrite(line, 1, static_cast<std::size_t>(length), stdout);
    std::free(line);
    return 0;
}
