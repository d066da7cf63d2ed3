// The server's own share of an "ambos" export, for scripts/bench: for each of its two runs,
// building the temporary table with the engine's own statement and reading the table once.
// The full export is compared with this floor.
//
//   bench_piso PASTA EMPRESA AAAA-MM-DD AAAA-MM-DD
//
// PASTA holds sistema_zuv.ini; prints the seconds and the rows read.

#include "Pastas.h"
#include "UDados.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication aplicacao(argc, argv);
    const QStringList args = aplicacao.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "uso: bench_piso PASTA EMPRESA AAAA-MM-DD AAAA-MM-DD\n");
        return 2;
    }
    DefinirPastaConfiguracao(args[1]);
    const int empresa = args[2].toInt();
    const QDate de = QDate::fromString(args[3], Qt::ISODate);
    const QDate ate = QDate::fromString(args[4], Qt::ISODate);
    try {
        TDadosExportacao::Conectar();
        QElapsedTimer relogio;
        relogio.start();
        qint64 linhas = 0;
        for (const bool comReceita : {false, true}) {
            TDadosExportacao::PrepararItens(true, comReceita, de, ate, empresa);
            QSqlQuery tabela = TDadosExportacao::NovaConsulta();
            tabela.setForwardOnly(true);
            if (!tabela.exec(QStringLiteral("select * from tmp_itens_exportacao"))) {
                std::fprintf(stderr, "%s\n", qPrintable(tabela.lastError().text()));
                return 3;
            }
            while (tabela.next()) ++linhas;
        }
        std::printf("%.3f %lld\n", relogio.nsecsElapsed() / 1e9, linhas);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 3;
    }
    return 0;
}
