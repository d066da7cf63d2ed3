// The system's own settings file, ExportacaoQuelvar.ini.
#include "BancoTeste.h"
#include "ConfiguracaoExportacao.h"
#include "Erro.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace cfg = ConfiguracaoExportacao;

namespace {

const QString Arquivo = "ExportacaoQuelvar.ini";

TEST(ConfiguracaoExportacao, FicaNaPastaDeConfiguracao) {
    const PastaConfiguracaoTeste pasta;
    EXPECT_EQ(cfg::Caminho(), pasta.caminho() + Arquivo);
}

TEST(ConfiguracaoExportacao, SemArquivoValemOsPadroes) {
    const PastaConfiguracaoTeste pasta;
    EXPECT_EQ(cfg::LerDiretorio(), "");
    EXPECT_EQ(cfg::LerCNPJMatriz(), "");
    EXPECT_EQ(cfg::LerNomeMatriz(), "");
    EXPECT_EQ(cfg::LerEmpresa(), 45911);
    EXPECT_EQ(cfg::LerTipoData(), 0);
    // An empty section is no different.
    pasta.escreverArquivo(Arquivo, "[CONFIG]\r\n");
    EXPECT_EQ(cfg::LerEmpresa(), 45911);
    EXPECT_EQ(cfg::LerNomeMatriz(), "");
}

TEST(ConfiguracaoExportacao, GravaELe) {
    const PastaConfiguracaoTeste pasta;
    cfg::GravarDiretorio("C:\\Quelvar\\saida\\");
    cfg::GravarCNPJMatriz("12345678000199");
    cfg::GravarNomeMatriz(QString::fromUtf8("FARMÁCIA SÃO JOÃO LTDA"));
    cfg::GravarEmpresa(-7);
    cfg::GravarTipoData(1);
    EXPECT_EQ(cfg::LerDiretorio(), "C:\\Quelvar\\saida\\");
    EXPECT_EQ(cfg::LerCNPJMatriz(), "12345678000199");
    EXPECT_EQ(cfg::LerNomeMatriz(), QString::fromUtf8("FARMÁCIA SÃO JOÃO LTDA"));
    EXPECT_EQ(cfg::LerEmpresa(), -7);
    EXPECT_EQ(cfg::LerTipoData(), 1);

    const QByteArray bytes = pasta.lerArquivo(Arquivo);
    EXPECT_TRUE(bytes.contains("[CONFIG]\r\n"));
    EXPECT_TRUE(bytes.contains("Empresa=-7\r\n"));
    EXPECT_TRUE(bytes.contains("TipoData=1\r\n"));
    EXPECT_TRUE(bytes.contains("NomeMatriz=FARM\xC1\x43IA S\xC3O JO\xC3O LTDA\r\n"));  // Windows-1252

    cfg::GravarEmpresa(45000);
    EXPECT_EQ(cfg::LerEmpresa(), 45000);
    EXPECT_EQ(cfg::LerNomeMatriz(), QString::fromUtf8("FARMÁCIA SÃO JOÃO LTDA"));
}

TEST(ConfiguracaoExportacao, GravarUmaChaveNaoMexeNasOutras) {
    const PastaConfiguracaoTeste pasta;
    const QByteArray cabeca = "; mantido\r\n[CONFIG]\r\nDiretorio=D:\\saida\r\nCNPJMatriz=11222333000181\r\n"
                              "NomeMatriz=MATRIZ\r\n";
    pasta.escreverArquivo(Arquivo, cabeca + "[OUTRA]\r\nEmpresa=1\r\n");
    cfg::GravarEmpresa(123);
    cfg::GravarTipoData(1);
    const QByteArray depois = pasta.lerArquivo(Arquivo);
    EXPECT_TRUE(depois.startsWith(cabeca)) << depois.toStdString();
    EXPECT_TRUE(depois.contains("[OUTRA]\r\nEmpresa=1\r\n"));
    EXPECT_EQ(cfg::LerEmpresa(), 123);
    EXPECT_EQ(cfg::LerTipoData(), 1);
    EXPECT_EQ(cfg::LerDiretorio(), "D:\\saida");
}

TEST(ConfiguracaoExportacao, ValoresLidosDoArquivo) {
    const PastaConfiguracaoTeste pasta;
    const struct {
        QByteArray linha;
        int empresa;
        int tipoData;
    } casos[] = {
        {"Empresa=abc\r\nTipoData=x", 45911, 0},
        {"Empresa=0x1F\r\nTipoData=2", 31, 2},
        {"Empresa=$1F\r\nTipoData=0", 31, 0},
        {"empresa=-12\r\ntipodata=1", -12, 1},
        {"Empresa=\r\n", 45911, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.linha.toStdString());
        pasta.escreverArquivo(Arquivo, "[config]\r\n" + c.linha + "\r\ndiretorio=/tmp/saida/\r\n");
        EXPECT_EQ(cfg::LerEmpresa(), c.empresa);
        EXPECT_EQ(cfg::LerTipoData(), c.tipoData);
        EXPECT_EQ(cfg::LerDiretorio(), "/tmp/saida/");
    }
}

TEST(ConfiguracaoExportacao, GravacaoRecusadaDizOCaminho) {
    const PastaConfiguracaoTeste pasta;
    // A folder where the file should be: no write can replace it, not even as root.
    ASSERT_TRUE(QDir(pasta.caminho()).mkdir(Arquivo));
    try {
        cfg::GravarEmpresa(1);
        ADD_FAILURE() << "write accepted";
    } catch (const Erro& e) {
        EXPECT_EQ(e.texto(), "Unable to write to " + cfg::Caminho());
    }
}

}  // namespace

int main(int c, char** v) {
    QCoreApplication a(c, v);
    ::testing::InitGoogleTest(&c, v);
    return RUN_ALL_TESTS();
}
