// The head-office branch is read from sistema_zuv.ini until a configured value is found, and
// then kept for the rest of the process.
#include "BancoTeste.h"
#include "UDados.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace {

TEST(LerFilialMatriz, LidaAteAcharUmValorDepoisGuardada) {
    const PastaConfiguracaoTeste pasta;
    const auto zuv = [&](const QByteArray& conteudo) { pasta.escreverArquivo("sistema_zuv.ini", conteudo); };

    EXPECT_EQ(TDadosExportacao::LerFilialMatriz(), -1);  // no file

    const struct {
        QByteArray conteudo;
        int esperado;
    } naoConfigurados[] = {
        {"[ip]\r\nlocal=x\r\n", -1},                         // no section
        {"[FilialMatriz]\r\nOutra=3\r\n", -1},               // no key
        {"[FilialMatriz]\r\nCodFisica=abc\r\n", -1},         // not a whole number
        {"[FilialMatriz]\r\nCodFisica=-1\r\n", -1},
    };
    for (const auto& c : naoConfigurados) {
        SCOPED_TRACE(c.conteudo.toStdString());
        zuv(c.conteudo);
        EXPECT_EQ(TDadosExportacao::LerFilialMatriz(), c.esperado);
        EXPECT_EQ(TDadosExportacao::LerFilialMatriz(), c.esperado);
    }

    // While nothing is configured every call reads the file again.
    zuv("[ip]\r\nlocal=x\r\n[filialmatriz]\r\ncodfisica=12\r\n");
    EXPECT_EQ(TDadosExportacao::LerFilialMatriz(), 12);

    zuv("[FilialMatriz]\r\nCodFisica=15\r\n");
    EXPECT_EQ(TDadosExportacao::LerFilialMatriz(), 12);
    QDir(pasta.caminho()).remove("sistema_zuv.ini");
    EXPECT_EQ(TDadosExportacao::LerFilialMatriz(), 12);
}

}  // namespace

int main(int c, char** v) {
    QCoreApplication a(c, v);
    ::testing::InitGoogleTest(&c, v);
    return RUN_ALL_TESTS();
}
