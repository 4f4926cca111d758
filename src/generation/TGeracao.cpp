#include "generation/TGeracao.h"

#include <cmath>
#include <ctime>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>

#include "db/ConexaoBanco.h"
#include "db/ErroBanco.h"
#include "generation/TravaGeracao.h"
#include "generation/format/funcoes_tce.h"
#include "settings/Caminhos.h"
#include "settings/Configuracao.h"
#include "settings/TrataErros.h"

namespace {

const std::string CABECALHO_LOG = "====================== RELACAO DE ERROS E INCONCISTENCIAS =========";
const std::string SEPARADOR_PROBLEMA = "====================== PROBLEMA ===================================";
const std::string SEPARADOR_SOLUCAO = "SOLUCAO: ----------------------------------------------------------";
const std::string LINHA_TRACOS(67, '-');
const std::string LINHA_IGUAIS(67, '=');
const std::string ATENCAO = "Aten\xE7\xE3o";
// The caption of the application's standard error box.
const std::string TITULO_APLICACAO = "Gerador de Arquivos - Gedra";
const std::string EM_ANDAMENTO = "Outra gera\xE7\xE3o de arquivos est\xE1 em andamento nesta base de dados.";
const std::string CONEXAO_PERDIDA =
    "A conex\xE3o com o banco de dados foi perdida e a gera\xE7\xE3o foi interrompida. O arquivo em "
    "andamento n\xE3o foi gravado e nenhuma tabela ficou pela metade. Gere os arquivos novamente quando o "
    "banco de dados voltar a responder.\r\r";

std::string hojeTextoCurto()
{
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return Data{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday}.textoCurto();
}

bool SoDigitos(const std::string& texto)
{
    return !texto.empty() && texto.find_first_not_of("0123456789") == std::string::npos;
}

// 'dd.mm.yyyy' with its quotes.
bool LiteralDeData(const std::string& t)
{
    return t.size() == 12 && t.front() == '\'' && t.back() == '\'' && t[3] == '.' && t[6] == '.' &&
           SoDigitos(t.substr(1, 2)) && SoDigitos(t.substr(4, 2)) && SoDigitos(t.substr(7, 4));
}

bool TemControle(const std::string& texto)
{
    for (unsigned char c : texto)
        if (c < 0x20 || c == 0x7F)
            return true;
    return false;
}

bool pastaExiste(const std::string& caminho)
{
    struct stat st{};
    return ::stat(caminho.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

TGeracao::TGeracao(ConexaoBanco& conexao, Tdm& datamodule, Relator& r, const EntradaGeracao& e)
    : Conexao(conexao), dm(datamodule), relator(r), entrada(e)
{
}

// ---------------------------------------------------------------------------
// Status list and error log

void TGeracao::ESCREVE_ESTATUS(const std::string& nome, const std::string& codigo)
{
    if (codigo == "2") {
        relator.novaLinhaStatus(nome);
        relator.atualizar();
        return;
    }
    Relator::LinhaStatus linha;
    if (codigo == "3") {
        linha.icone = 3;
    } else {
        const std::string caminho = CaminhoArquivo(nome);
        linha.linhas = std::to_string(CONTA_LINHAS(caminho));
        linha.data = hojeTextoCurto();
        linha.tamanho = TamanhoKb(caminho);
        linha.icone = codigo == "0" ? 0 : 1;
    }
    relator.completarLinhaStatus(linha);
}

void TGeracao::ESCREVE_ERRO(const std::string& texto, const std::string& tipo)
{
    auto anexar = [this](const std::string& l) {
        log.push_back(l);
        relator.linhaLog(l);
    };
    if (tipo == "P") {
        anexar(SEPARADOR_PROBLEMA);
        anexar(texto);
        ++TotalErros;
    } else if (tipo == "S") {
        anexar(SEPARADOR_SOLUCAO);
        anexar(texto);
        anexar(LINHA_TRACOS);
        anexar("");
    }
    HouveErro = true;
}

long long CONTA_LINHAS(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    if (!f)
        throw std::runtime_error("I/O error: n\xE3o foi poss\xEDvel ler " + caminho);
    long long linhas = 0;
    char anterior = 0;
    bool vazio = true;
    char buf[1 << 16];
    while (f.read(buf, sizeof buf) || f.gcount() > 0) {
        std::streamsize n = f.gcount();
        for (std::streamsize i = 0; i < n; ++i) {
            char c = buf[i];
            // CR LF, a lone LF and a lone CR all end a line.
            if (c == '\n') {
                if (anterior != '\r')
                    ++linhas;
            } else if (c == '\r') {
                ++linhas;
            }
            anterior = c;
            vazio = false;
        }
    }
    if (!vazio && anterior != '\n' && anterior != '\r')
        ++linhas;
    return linhas;
}

std::string TamanhoKb(const std::string& caminho)
{
    struct stat st{};
    long long centesimos = 100;   // a file that is not found counts as 1 Kb
    if (::stat(caminho.c_str(), &st) == 0) {
        long long bytes = static_cast<long long>(st.st_size);
        centesimos = (bytes * 100 * 2 + 1024) / (2 * 1024);   // half away from zero
    }
    std::string texto = std::to_string(centesimos / 100);
    int frac = static_cast<int>(centesimos % 100);
    if (frac != 0) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02d", frac);
        std::string decimais = buf;
        if (decimais.back() == '0')
            decimais.pop_back();
        texto += "," + decimais;
    }
    return texto + " Kb";
}

// ---------------------------------------------------------------------------
// Names, accounts, gauges

std::string TGeracao::NomeArquivo(const std::string& prefixo, const std::string& palavra) const
{
    return prefixo + "_" + entrada.empresa + palavra;
}

std::string TGeracao::CaminhoArquivo(const std::string& nome) const
{
    return pastaSaida + nome;
}

std::string TGeracao::ContaComEmpresa(const std::string& balco, long long empresa)
{
    char buf[32];
    if (empresa < 0)
        std::snprintf(buf, sizeof buf, "-%02lld", -empresa);
    else
        std::snprintf(buf, sizeof buf, "%02lld", empresa);
    return balco + buf;
}

void TGeracao::RegistrarConta(const std::string& conta, const std::string& balco, long long empresa,
                              const std::string& data, Moeda valor, const std::string& indicador)
{
    if (cdsTemp.localizar({"CONTA"}, {Valor::texto(conta)}))
        return;
    cdsTemp.anexar();
    cdsTemp.definir("DATA", Valor::texto(data));
    cdsTemp.definir("CONTA", Valor::texto(conta));
    cdsTemp.definir("BALCO", Valor::texto(balco));
    cdsTemp.definir("EMPRESA", Valor::inteiro(empresa));
    cdsTemp.definir("VALOR", Valor::moeda(valor));
    cdsTemp.definir("INDICADOR", Valor::texto(indicador));
    cdsTemp.gravar();
}

void TGeracao::AvancarTodos()
{
    ++progressoTodos;
    relator.medidor(Relator::Medidor::Todos, maximoTodos, std::min(progressoTodos, maximoTodos));
    relator.atualizar();
}

void TGeracao::VerificarCancelamento()
{
    if (relator.cancelamentoPedido())
        throw CancelamentoGeracao{};
}

// ---------------------------------------------------------------------------
// The per-file frame for a file that comes from one statement

void TGeracao::GerarPorConsulta(const std::string& prefixo, const std::string& palavra, const std::string& rotulo,
                                const std::string& sql,
                                const std::function<void(const ConjuntoDados&, ArquivoDigital&)>& porLinha)
{
    const std::string nome = NomeArquivo(prefixo, palavra);
    ArquivoDigital arquivo(CaminhoArquivo(nome));
    IniciarArquivo(arquivo, nome, rotulo);

    ConjuntoDados cdsAux;
    cdsAux.abrir(Conexao, sql);
    if (cdsAux.contar() > 0) {
        const int total = cdsAux.contar();
        relator.medidor(Relator::Medidor::Parte, total, 0);
        int progresso = 0;
        for (cdsAux.primeiro(); !cdsAux.fim(); cdsAux.proximo()) {
            porLinha(cdsAux, arquivo);
            relator.medidor(Relator::Medidor::Parte, total, ++progresso);
        }
    }
    ConcluirArquivo(arquivo, nome);
}

void TGeracao::IniciarArquivo(ArquivoDigital& arquivo, const std::string& nome, const std::string& rotulo)
{
    ESCREVE_ESTATUS(nome, "2");
    EstadoArquivo = "1";
    arquivo.abrir();
    relator.etapa(rotulo);
    relator.atualizar();
}

void TGeracao::ConcluirArquivo(ArquivoDigital& arquivo, const std::string& nome)
{
    // A file without records is not left on disk: its row shows "no data".
    if (arquivo.registros() > 0) {
        arquivo.concluir();
    } else {
        arquivo.descartar();
        EstadoArquivo = "3";
    }
    ESCREVE_ESTATUS(nome, EstadoArquivo);
}

// ---------------------------------------------------------------------------
// The run

bool TGeracao::ValidarEntrada()
{
    EntidadeValidada ent = ValidarEntidade(entrada.empresa);
    if (!ent.valida) {
        relator.mostrar("C\xF3" "digo de entidade inv\xE1lido: " + entrada.empresa, ATENCAO, Mensageiro::Icone::Aviso);
        return false;
    }
    consolidado = !ent.numero.has_value();
    if (!consolidado) {
        numeroEmpresa = *ent.numero;
        const std::string n = std::to_string(numeroEmpresa);
        FiltroEmpresaDiario = "   AND (A.EMPRESA = " + n + " OR A.EMPRESA IS NULL) ";
        FiltroEmpresaTrabalho = "B.EMPRESA= " + n + " AND ";
        CodigoEmpresa = n;
    }

    // The period literals and the year go into the statements as they are: only digits
    // in their fixed places may reach them.
    if (!LiteralDeData(entrada.DataIniSQL) || !LiteralDeData(entrada.DataFimSQL) || !SoDigitos(entrada.Exercicio)) {
        relator.mostrar("Per\xEDodo de refer\xEAncia inv\xE1lido: " + entrada.DataIniSQL + " a " + entrada.DataFimSQL,
                        ATENCAO, Mensageiro::Icone::Aviso);
        return false;
    }

    const std::string& p = entrada.caminho;
    if (TemControle(p)) {
        relator.mostrar("Pasta de destino inv\xE1lida: " + p, ATENCAO, Mensageiro::Icone::Aviso);
        return false;
    }
    std::string pasta = p.empty() ? std::string() : CaminhoLocal(p);
    if (!pasta.empty() && pasta.back() != '/')
        pasta += '/';
    if (pasta.empty() || !pastaExiste(pasta)) {
        relator.mostrar("Pasta de destino n\xE3o encontrada: " + p, ATENCAO, Mensageiro::Icone::Aviso);
        return false;
    }
    pastaSaida = pasta;
    return true;
}

void TGeracao::Abertura()
{
    relator.limparStatus();
    relator.medidor(Relator::Medidor::Parte, 100, 0);
    maximoTodos = entrada.indiceReferencia <= 0 ? 16 : entrada.indiceReferencia + 3;
    progressoTodos = 0;
    relator.medidor(Relator::Medidor::Todos, maximoTodos, 0);
    relator.etapa("");
    relator.atualizar();
    HouveErro = false;
    TotalErros = 0;
    log.clear();
    relator.limparLog();
    relator.limparCancelamento();
}

void TGeracao::PassosFinais()
{
    relator.medidor(Relator::Medidor::Parte, 100, 0);
    relator.medidor(Relator::Medidor::Todos, maximoTodos > 0 ? maximoTodos : 100, 0);
    relator.etapa("");
    relator.atualizar();
    relator.fimExecucao();
}

void TGeracao::Fechamento()
{
    relator.medidor(Relator::Medidor::Parte, 100, 0);
    relator.medidor(Relator::Medidor::Todos, maximoTodos, 0);
    relator.etapa("");
    relator.atualizar();
    for (const std::string& l : {LINHA_IGUAIS,
                                 "FORAM ENCONTRADOS " + std::to_string(TotalErros) + " ERROS NA GERACAO DOS ARQUIVOS",
                                 LINHA_IGUAIS}) {
        log.push_back(l);
        relator.linhaLog(l);
    }
    if (HouveErro) {
        relator.mostrar("Arquivos Gerados Com Erro, Clique em Visualizar Erros para Conferir!", ATENCAO,
                        Mensageiro::Icone::Aviso);
        relator.mostrarVisualizar();
    } else {
        relator.mostrar("Opera\xE7\xE3o Concluida com Sucesso!\r\rArquivos Gerados em: " + entrada.caminho, ATENCAO,
                        Mensageiro::Icone::Informacao);
    }
}

// An error that stopped the run, as the operator sees it: the maintenance lock with who
// locked the database and why; a lost connection with what became of the files and the
// balances; anything else as the error's own text.
void TGeracao::MostrarFalha(const std::exception& e)
{
    const std::string texto = e.what();
    if (ERRO_DE_BLOQUEIO(texto)) {
        TRATA_ERRO_BANCO(texto, relator);
        return;
    }
    const auto* erroBanco = dynamic_cast<const ErroBanco*>(&e);
    if (erroBanco && erroBanco->conexaoPerdida()) {
        relator.mostrar(CONEXAO_PERDIDA + texto, TITULO_APLICACAO, Mensageiro::Icone::Erro);
        return;
    }
    relator.mostrar(texto, TITULO_APLICACAO, Mensageiro::Icone::Erro);
}

ResultadoGeracao TGeracao::executar()
{
    Abertura();
    if (entrada.indiceReferencia < 0) {
        relator.mostrar("Escolha o M\xEAs de Refer\xEAncia ou Informe um Per\xEDodo !", ATENCAO,
                        Mensageiro::Icone::Informacao);
        PassosFinais();
        return ResultadoGeracao::SemPeriodo;
    }
    if (!ValidarEntrada()) {
        PassosFinais();
        return ResultadoGeracao::EntradaInvalida;
    }
    ResultadoGeracao resultado = ResultadoGeracao::Falhou;
    // Taken before anything is written and let go before the closing messages, which
    // may wait for the operator.
    std::optional<TravaGeracao> trava;
    try {
        trava.emplace(Conexao.parametros());

        const std::string parametros = CaminhoLocal(PEGA_CAMINHO("D")) + "RARIVIDEZE.ini";
        GravarIni(parametros, "SRP", "EMPRESA", entrada.empresa);
        GravarIni(parametros, "SRP", "NOME", entrada.nome);
        GravarIni(parametros, "SRP", "REFERENCIA", entrada.referencia);
        GravarIni(parametros, "SRP", "CAMINHO", entrada.caminho);

        for (const std::string& l : {CABECALHO_LOG, std::string()}) {
            log.push_back(l);
            relator.linhaLog(l);
        }
        relator.inicioExecucao();
        relator.limparStatus();
        relator.atualizar();

        GERA_CENTRO_CUSTO();
        AvancarTodos();
        VerificarCancelamento();

        cdsTemp.criar({"DATA", "CONTA", "BALCO", "EMPRESA", "VALOR", "INDICADOR"});
        GERA_LANCAMENTOS();
        AvancarTodos();
        VerificarCancelamento();

        GERA_SALDO_MENSAL();
        VerificarCancelamento();

        GERA_PLANO_CONTAS();
        AvancarTodos();
        VerificarCancelamento();

        trava.reset();
        Fechamento();
        resultado = HouveErro ? ResultadoGeracao::ComErros : ResultadoGeracao::Sucesso;
    } catch (const GeracaoEmAndamento&) {
        PassosFinais();
        relator.mostrar(EM_ANDAMENTO, ATENCAO, Mensageiro::Icone::Aviso);
        return ResultadoGeracao::EmAndamento;
    } catch (const CancelamentoGeracao&) {
        trava.reset();
        relator.mostrar("Opera\xE7\xE3o Cancelada!!", ATENCAO, Mensageiro::Icone::Informacao);
        resultado = ResultadoGeracao::Cancelada;
    } catch (const std::exception& e) {
        try {
            if (Conexao.emTransacao())
                Conexao.desfazer();
        } catch (const std::exception&) {
            // The connection itself is gone; the server undoes the transaction.
        }
        trava.reset();
        PassosFinais();
        MostrarFalha(e);
        return ResultadoGeracao::Falhou;
    }
    PassosFinais();
    return resultado;
}
