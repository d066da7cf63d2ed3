// exportacao-quelvar: the export of the main window for scheduled and headless runs.
#include "Comando.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication aplicacao(argc, argv);
    return Executar(aplicacao.arguments().mid(1));
}
