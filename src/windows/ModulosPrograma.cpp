// The one place that knows how this platform lists the modules of a process: the
// dynamic loader's program headers (dl_iterate_phdr) and each module's dynamic
// section. A Windows build replaces this file (module and package tables).
#include "windows/ModulosPrograma.h"

#include <link.h>
#include <unistd.h>

#include <climits>
#include <cstring>

namespace {

struct Registro {
    const UnidadeTabela* tabela = nullptr;
    std::size_t quantidade = 0;
    std::string descricao;
};

Registro& registro()
{
    static Registro r;
    return r;
}

std::string CaminhoExecutavel()
{
    char caminho[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", caminho, sizeof caminho - 1);
    return n > 0 ? std::string(caminho, static_cast<std::size_t>(n)) : std::string();
}

// The DT_NEEDED names of a loaded module. The loader has already relocated the
// addresses in a writable dynamic section; a read-only one (the kernel's vDSO) still
// holds them relative to the load address.
std::vector<std::string> Requeridos(const dl_phdr_info& info)
{
    std::vector<std::string> nomes;
    const ElfW(Dyn)* dinamica = nullptr;
    for (ElfW(Half) i = 0; i < info.dlpi_phnum; ++i)
        if (info.dlpi_phdr[i].p_type == PT_DYNAMIC)
            dinamica = reinterpret_cast<const ElfW(Dyn)*>(info.dlpi_addr + info.dlpi_phdr[i].p_vaddr);
    if (!dinamica)
        return nomes;
    ElfW(Addr) tabelaTextos = 0;
    std::vector<ElfW(Xword)> deslocamentos;
    for (const ElfW(Dyn)* d = dinamica; d->d_tag != DT_NULL; ++d) {
        if (d->d_tag == DT_STRTAB)
            tabelaTextos = d->d_un.d_ptr;
        else if (d->d_tag == DT_NEEDED)
            deslocamentos.push_back(d->d_un.d_val);
    }
    if (tabelaTextos == 0)
        return nomes;
    if (tabelaTextos < info.dlpi_addr)
        tabelaTextos += info.dlpi_addr;
    const char* textos = reinterpret_cast<const char*>(tabelaTextos);
    for (ElfW(Xword) deslocamento : deslocamentos)
        nomes.emplace_back(textos + deslocamento);
    return nomes;
}

int AoListarModulo(dl_phdr_info* info, std::size_t, void* dados)
{
    auto& modulos = *static_cast<std::vector<InformacaoModulo>*>(dados);
    InformacaoModulo m;
    const bool executavel = modulos.empty();
    m.arquivo = info->dlpi_name && *info->dlpi_name ? std::string(info->dlpi_name)
                                                    : (executavel ? CaminhoExecutavel() : std::string());
    m.requeridos = Requeridos(*info);
    if (executavel) {
        const Registro& r = registro();
        for (std::size_t i = 0; i < r.quantidade; ++i)
            m.unidades.push_back({r.tabela[i].nome, r.tabela[i].principal, false, false});
        m.descricao = r.descricao;
    }
    modulos.push_back(std::move(m));
    return 0;   // always on to the next module
}

}  // namespace

void RegistrarUnidadesExecutavel(const UnidadeTabela* tabela, std::size_t quantidade, const char* descricao)
{
    Registro& r = registro();
    r.tabela = tabela;
    r.quantidade = quantidade;
    r.descricao = descricao ? descricao : "";
}

std::vector<InformacaoModulo> ModulosCarregados()
{
    std::vector<InformacaoModulo> modulos;
    dl_iterate_phdr(&AoListarModulo, &modulos);
    return modulos;
}
