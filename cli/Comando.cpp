#include "Comando.h"

#include "ConfiguracaoExportacao.h"
#include "Erro.h"
#include "Exportacao.h"
#include "Geracao.h"
#include "Pastas.h"
#include "Pedido.h"
#include "ProgressoTerminal.h"
#include "Relatorio.h"
#include "RelatoriosCupons.h"
#include "Terminal.h"
#include "UDados.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

// The program's texts use CR LF between lines, as message boxes want them; on a stream each
// line ends the platform's way (the C runtime turns "\n" into CR LF on Windows).
void escrever(std::FILE* fluxo, QString texto) {
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!texto.endsWith(u'\n')) texto += u'\n';
    const QByteArray bytes = texto.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), fluxo);
    std::fflush(fluxo);
}

QString textoDe(const std::exception& e) {
    if (const auto* erro = dynamic_cast<const Erro*>(&e)) return erro->texto();
    return QString::fromLocal8Bit(e.what());
}

bool empresaListada(int empresa) {
    const std::unique_ptr<QSqlQuery> empresas = TDadosExportacao::ConsultarEmpresas();
    while (empresas->next()) {
        if (empresas->value(0).toInt() == empresa) return true;
    }
    return false;
}

// The main window's checks before a generation, with its messages; empty when all pass.
QString recusa(const QString& diretorio, int empresa) {
    if (const QString motivo = RecusaConfiguracao(ConfiguracaoExportacao::LerCNPJMatriz(), diretorio);
        !motivo.isEmpty())
        return motivo;
    if (!empresaListada(empresa)) return MensagemEmpresaNaoSelecionada();
    return {};
}

struct Geracao {
    QString mensagem;
    QStringList relatorios;  // the paths of the reports written, in the order of the runs
};

// The coupon report of the run that just filled `consulta`, beside its file and named like it:
// "Relatório PROMED - COM RECEITA_MMyyyy.<ext>".
QString gravarRelatorio(const Pedido& pedido, const QString& diretorio, bool comReceita, QSqlQuery& consulta) {
    Relatorio relatorio(comReceita ? ModeloRelPromed() : ModeloRelProfarma());
    PrepararRelatorio(relatorio, *pedido.de, *pedido.ate, consulta);
    const QString caminho = ComSeparadorFinal(diretorio) + relatorio.modelo().titulo + QStringLiteral(" - ") +
                            TDadosExportacao::PeriodoDoArquivo(comReceita, *pedido.de) + u'.' +
                            ExtensaoArquivo(*pedido.relatorio);
    ExportarRelatorio(*relatorio.preparado(), *pedido.relatorio, caminho);
    return caminho;
}

// One run, or for "ambos" the run without prescription and then the one with it; the joined
// message puts the second run's text first, as the main window shows it. A report is made
// right after its run, while the query still holds that run's coupons.
Geracao gerarArquivos(const Pedido& pedido, const QString& diretorio) {
    QSqlQuery consulta(TDadosExportacao::GetConexao());
    Geracao geracao;
    const auto gerar = [&](bool comReceita) {
        const QString mensagem = TDadosExportacao::GerarArquivo(consulta, diretorio, *pedido.porLancamento,
                                                                *pedido.de, *pedido.ate, comReceita, *pedido.empresa);
        if (pedido.relatorio && consulta.size() > 0)
            geracao.relatorios << gravarRelatorio(pedido, diretorio, comReceita, consulta);
        return mensagem;
    };
    const QString primeiro = gerar(pedido.vendas == Pedido::Vendas::Com);
    geracao.mensagem = primeiro;
    if (pedido.vendas == Pedido::Vendas::Ambos) geracao.mensagem = gerar(true) + QStringLiteral("\r\n") + primeiro;
    return geracao;
}

int gerar(const Pedido& pedido) {
    try {
        TDadosExportacao::Conectar();
    } catch (const std::exception& e) {
        escrever(stderr, MensagemFalhaConexao(textoDe(e)));
        return Falha;
    }
    try {
        const QString diretorio = ConfiguracaoExportacao::LerDiretorio();
        const QString motivo = recusa(diretorio, *pedido.empresa);
        if (!motivo.isEmpty()) {
            escrever(stderr, motivo);
            return Recusado;
        }
        ProgressoTerminal progresso;
        if (ErroPadraoEhTerminal()) TDadosExportacao::SetProgresso(&progresso);
        const Geracao geracao = gerarArquivos(pedido, diretorio);
        TDadosExportacao::SetProgresso(nullptr);
        escrever(stdout, geracao.mensagem);
        for (const QString& relatorio : geracao.relatorios) escrever(stdout, QDir::toNativeSeparators(relatorio));
        return Sucesso;
    } catch (const std::exception& e) {
        TDadosExportacao::SetProgresso(nullptr);
        escrever(stderr, textoDe(e));
        return Falha;
    }
}

}  // namespace

int Executar(const QStringList& argumentos) {
    Pedido pedido;
    try {
        pedido = LerPedido(argumentos);
    } catch (const ErroDeUso& e) {
        escrever(stderr, QStringLiteral("exportacao-quelvar: ") + e.motivo + u'\n' + QString::fromUtf8(TextoDeUso));
        return UsoIncorreto;
    }
    if (pedido.ajuda) {
        escrever(stdout, QString::fromUtf8(TextoDeUso));
        return Sucesso;
    }
    if (!pedido.pasta.isEmpty()) DefinirPastaConfiguracao(QDir::toNativeSeparators(QFileInfo(pedido.pasta).absoluteFilePath()));
    return gerar(ComPadroes(pedido, QDate::currentDate()));
}
