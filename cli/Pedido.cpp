#include "Pedido.h"

#include "ConfiguracaoExportacao.h"
#include "Geracao.h"

#include <QCommandLineParser>

const char* const TextoDeUso =
    "Uso: exportacao-quelvar gerar [--empresa N] [--vendas com|sem|ambos] [--data lancamento|vencimento]\n"
    "                              [--de AAAA-MM-DD] [--ate AAAA-MM-DD] [--pasta DIR]\n"
    "                              [--relatorio pdf|xlsx|docx|txt]\n"
    "\n"
    "Gera os arquivos de exportação Quelvar como o botão \"Gerar\" da janela principal e mostra o\n"
    "resumo que a janela mostra em \"Sucesso\". O arquivo de configurações não é alterado.\n"
    "\n"
    "  --empresa N   código da empresa (padrão: Empresa de ExportacaoQuelvar.ini, ou 45911)\n"
    "  --vendas V    com: com receita (padrão); sem: sem receita; ambos: sem e depois com receita\n"
    "  --data D      lancamento: data do lançamento; vencimento: data de vencimento\n"
    "                (padrão: TipoData de ExportacaoQuelvar.ini; lancamento quando ausente)\n"
    "  --de DATA     primeiro dia do período (padrão: o primeiro dia do mês anterior)\n"
    "  --ate DATA    último dia do período (padrão: o último dia do mês anterior)\n"
    "  --pasta DIR   pasta de sistema_zuv.ini e de ExportacaoQuelvar.ini (padrão: a pasta do programa)\n"
    "  --relatorio F grava também, ao lado de cada arquivo gerado, o relatório dos seus cupons no\n"
    "                formato F (pdf, xlsx, docx ou txt): \"Relatório PROMED - COM RECEITA_MMAAAA.F\" e\n"
    "                \"Relatório PROFARM - SEM RECEITA_MMAAAA.F\"; o caminho de cada um segue o resumo\n"
    "  --help        mostra este texto\n"
    "\n"
    "Código de saída: 0 sucesso (também quando não há dados para a seleção); 1 dados de configuração\n"
    "ou empresa recusados; 2 uso incorreto; 3 erro de conexão, de banco de dados ou de arquivo.\n";

namespace {

const QString kComando = QStringLiteral("gerar");

int inteiro(const QString& opcao, const QString& valor) {
    bool ok = false;
    const int n = valor.toInt(&ok);
    if (!ok) throw ErroDeUso{QStringLiteral("--%1: número inteiro esperado, não \"%2\"").arg(opcao, valor)};
    return n;
}

QDate data(const QString& opcao, const QString& valor) {
    const QDate d = QDate::fromString(valor, QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid()) throw ErroDeUso{QStringLiteral("--%1: data AAAA-MM-DD esperada, não \"%2\"").arg(opcao, valor)};
    return d;
}

// One of the words the option allows, given as "word=value" pairs.
template <typename T>
T escolha(const QString& opcao, const QString& valor, std::initializer_list<std::pair<const char*, T>> validos) {
    for (const auto& [palavra, v] : validos) {
        if (valor == QLatin1String(palavra)) return v;
    }
    throw ErroDeUso{QStringLiteral("--%1: valor desconhecido \"%2\"").arg(opcao, valor)};
}

}  // namespace

Pedido LerPedido(const QStringList& argumentos) {
    QCommandLineParser leitor;
    leitor.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption ajuda(QStringList{QStringLiteral("help"), QStringLiteral("h")});
    const QCommandLineOption empresa(QStringLiteral("empresa"), QString(), QStringLiteral("N"));
    const QCommandLineOption vendas(QStringLiteral("vendas"), QString(), QStringLiteral("V"));
    const QCommandLineOption tipoData(QStringLiteral("data"), QString(), QStringLiteral("D"));
    const QCommandLineOption de(QStringLiteral("de"), QString(), QStringLiteral("DATA"));
    const QCommandLineOption ate(QStringLiteral("ate"), QString(), QStringLiteral("DATA"));
    const QCommandLineOption pasta(QStringLiteral("pasta"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption relatorio(QStringLiteral("relatorio"), QString(), QStringLiteral("F"));
    leitor.addOptions({ajuda, empresa, vendas, tipoData, de, ate, pasta, relatorio});

    // The parser expects the program's name first. Asking for help wins over any other mistake.
    const bool lido = leitor.parse(QStringList{QStringLiteral("exportacao-quelvar")} + argumentos);
    Pedido pedido;
    if (leitor.isSet(ajuda)) {
        pedido.ajuda = true;
        return pedido;
    }
    if (!lido) throw ErroDeUso{leitor.errorText()};
    const QStringList comandos = leitor.positionalArguments();
    if (comandos != QStringList{kComando}) {
        throw ErroDeUso{comandos.isEmpty() ? QStringLiteral("falta o comando \"gerar\"")
                                           : QStringLiteral("comando inesperado \"%1\"").arg(comandos.join(u' '))};
    }
    if (leitor.isSet(empresa)) pedido.empresa = inteiro(QStringLiteral("empresa"), leitor.value(empresa));
    if (leitor.isSet(vendas)) {
        pedido.vendas = escolha<Pedido::Vendas>(QStringLiteral("vendas"), leitor.value(vendas),
                                                {{"com", Pedido::Vendas::Com},
                                                 {"sem", Pedido::Vendas::Sem},
                                                 {"ambos", Pedido::Vendas::Ambos}});
    }
    if (leitor.isSet(tipoData)) {
        pedido.porLancamento =
            escolha<bool>(QStringLiteral("data"), leitor.value(tipoData), {{"lancamento", true}, {"vencimento", false}});
    }
    if (leitor.isSet(de)) pedido.de = data(QStringLiteral("de"), leitor.value(de));
    if (leitor.isSet(ate)) pedido.ate = data(QStringLiteral("ate"), leitor.value(ate));
    if (leitor.isSet(pasta)) {
        pedido.pasta = leitor.value(pasta);
        if (pedido.pasta.isEmpty()) throw ErroDeUso{QStringLiteral("--pasta: pasta vazia")};
    }
    if (leitor.isSet(relatorio)) {
        pedido.relatorio = escolha<FormatoExportacao>(QStringLiteral("relatorio"), leitor.value(relatorio),
                                                      {{"pdf", FormatoExportacao::Pdf},
                                                       {"xlsx", FormatoExportacao::Excel},
                                                       {"docx", FormatoExportacao::Word},
                                                       {"txt", FormatoExportacao::Texto}});
    }
    return pedido;
}

Pedido ComPadroes(Pedido pedido, QDate hoje) {
    if (!pedido.empresa) pedido.empresa = ConfiguracaoExportacao::LerEmpresa();
    if (!pedido.porLancamento) pedido.porLancamento = ConfiguracaoExportacao::LerTipoData() != 1;
    const auto [inicio, fim] = PeriodoMesAnterior(hoje);
    if (!pedido.de) pedido.de = inicio;
    if (!pedido.ate) pedido.ate = fim;
    return pedido;
}
