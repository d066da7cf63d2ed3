#pragma once

#include <QString>

class TConfiguraConexaoBase {
public:
    TConfiguraConexaoBase() = delete;

    // Splits "host:port" into host and port (3306 when no usable port follows the colon).
    static void SepararPorta(const QString& endereco, QString& host, int& porta);
};
