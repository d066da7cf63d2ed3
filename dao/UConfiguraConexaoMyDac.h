#pragma once

#include "UConfiguraConexaoBase.h"

#include <QSqlDatabase>

class TConfiguraConexaoMyDac : public TConfiguraConexaoBase {
public:
    // Host, port, database, user and password onto a QMYSQL connection; nothing else is set.
    static void Configurar(QSqlDatabase& conexao, const QString& endereco, const QString& banco,
                           const QString& usuario, const QString& senha);
};
