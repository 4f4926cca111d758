#include <cstdio>

int main()
{
    std::fprintf(stderr, "ainda n\xc3\xa3o dispon\xc3\xadvel\n");
    return 2;
}
