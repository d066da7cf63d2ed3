#pragma once

#include <QStringList>

// Exit codes of exportacao-quelvar; scripts depend on them.
enum CodigoSaida {
    Sucesso = 0,        // files generated, or nothing found for the selection
    Recusado = 1,       // the settings or the company did not pass the main window's checks
    UsoIncorreto = 2,   // the arguments do not follow the usage text
    Falha = 3,          // connection, database or file error
};

// The whole command: the arguments after the program's name in, texts on stdout and stderr
// (UTF-8), the exit code out.
int Executar(const QStringList& argumentos);
