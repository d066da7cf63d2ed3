// The process-wide state: the one shared connection, the progress gauge and the head-office branch.
#include "UDados.h"

#include "Ini.h"
#include "UDao.h"

namespace {

// The shared connection is kept by its registered name; empty until Conectar succeeds.
QString nomeConexao;
IProgresso* progresso = nullptr;
// -1 means not read yet, or not configured, so the file is read again on the next call.
int codigoFilialMatriz = -1;

}  // namespace

void TDadosExportacao::Conectar() {
    const QSqlDatabase conexao = TDao::CriarConexao(QString(), QStringLiteral("ip"));
    nomeConexao = conexao.connectionName();
}

QSqlDatabase TDadosExportacao::GetConexao() {
    if (nomeConexao.isEmpty()) return QSqlDatabase();
    return QSqlDatabase::database(nomeConexao, false);
}

void TDadosExportacao::SetProgresso(IProgresso* gauge) { progresso = gauge; }

IProgresso* TDadosExportacao::Progresso() { return progresso; }

int TDadosExportacao::LerFilialMatriz() {
    if (codigoFilialMatriz != -1) return codigoFilialMatriz;
    const ArquivoIni ini(TDao::CaminhoConfiguracao(QString()));
    codigoFilialMatriz = ini.lerInteiro(QStringLiteral("FilialMatriz"), QStringLiteral("CodFisica"), -1);
    return codigoFilialMatriz;
}

std::unique_ptr<QSqlQuery> TDadosExportacao::ConsultarEmpresas() {
    return TDao::AbrirConsulta(GetConexao(),
                               QStringLiteral("select empresa_id, nome from empresa where apagado <> \"S\" order by nome"),
                               true);
}

QString TDadosExportacao::DescricaoFilial(int filial) {
    const QString sql =
        QStringLiteral("select concat(filial_id, \" - \",nome,\" (\",cgc,\")\") from filial where filial_id = ") +
        QString::number(filial);
    return TDao::ConsultarValor(GetConexao(), sql, QStringLiteral("FILIAL NÃO LOCALIZADA"), true).toString();
}
