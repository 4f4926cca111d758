#include <cstdio>

int main()
{
    std::fprintf(stderr, "uso: gedra-lote --config DIR --referencia REF [--empresa E] --saida DIR [--log FILE]\n");
    return 2;
}
