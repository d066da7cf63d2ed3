#include "UConfiguraConexaoMyDac.h"

void TConfiguraConexaoMyDac::Configurar(QSqlDatabase& conexao, const QString& endereco, const QString& banco,
                                        const QString& usuario, const QString& senha) {
    QString host;
    int porta = 0;
    SepararPorta(endereco, host, porta);
    conexao.setHostName(host);
    conexao.setPort(porta);
    conexao.setDatabaseName(banco);
    conexao.setUserName(usuario);
    conexao.setPassword(senha);
}
