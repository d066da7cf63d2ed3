#include "Geracao.h"

#include "Pastas.h"
#include "Texto.h"

#include <QFileInfo>

namespace {

const QString kAcesse = QStringLiteral("Configurações ->  Configurações gerais");

}  // namespace

QPair<QDate, QDate> PeriodoMesAnterior(QDate hoje) {
    const QDate inicio = QDate(hoje.year(), hoje.month(), 1).addMonths(-1);
    return {inicio, inicio.addDays(inicio.daysInMonth() - 1)};
}

QString RecusaConfiguracao(const QString& cnpjMatriz, const QString& diretorio) {
    if (EmBranco(cnpjMatriz))
        return QStringLiteral(" Acesse \"%1\" e selecione o CNPJ da matriz.").arg(kAcesse);
    if (EmBranco(diretorio))
        return QStringLiteral(" Acesse \"%1\" e selecione o diretório onde será gerado o arquivo.").arg(kAcesse);
    const QString caminho = ComSeparadorFinal(diretorio);
    if (!QFileInfo(caminho).isDir())
        return QStringLiteral("O Diretório \"%1\" não existe,  acesse \"%2\" e selecione o diretório onde será "
                              "gerado o arquivo")
            .arg(caminho, kAcesse);
    return {};
}

QString MensagemEmpresaNaoSelecionada() { return QStringLiteral("Selecione a Empresa desejada."); }

QString MensagemFalhaConexao(const QString& erro) {
    return QStringLiteral("Erro ao conectar com o banco de dados.\r\nDescrição do Erro: ") + erro;
}
