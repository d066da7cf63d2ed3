// The engine reads the temporary table once and groups the items in memory; this proves the
// files it writes are the ones a keyed query per coupon gives, on generated databases with
// every kind of row the demo generator makes.

#include "BancoTeste.h"
#include "Referencia.h"
#include "UDados.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString scriptDemo() {
    QFile f(QStringLiteral(QUELVAR_DEMO_SQL));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void usar(const QString& banco) {
    QSqlQuery q(TDadosExportacao::GetConexao());
    ASSERT_TRUE(q.exec("USE " + banco));
}

int registrosDoTipo(const QByteArray& arquivo, char tipo) {
    int n = 0;
    for (const QByteArray& linha : arquivo.split('\n')) n += linha.startsWith(tipo) ? 1 : 0;
    return n;
}

// Every run of both kinds of date and prescription over the generated months.
void compararTodasAsExecucoes(const QString& banco, int minimoDeCupons) {
    usar(banco);
    QTemporaryDir pasta;
    QSqlQuery cupons(TDadosExportacao::GetConexao());
    for (const bool porLancamento : {true, false}) {
        for (const bool comReceita : {false, true}) {
            SCOPED_TRACE(std::string(porLancamento ? "entry date" : "due date") + (comReceita ? ", with" : ", without"));
            TDadosExportacao::GerarArquivo(cupons, pasta.path(), porLancamento, QDate(2024, 1, 1), QDate(2024, 3, 31),
                                           comReceita, 45911);
            QFile f(pasta.filePath(comReceita ? "PROMED - COM RECEITA_012024.TXT" : "PROFARM - SEM RECEITA_012024.TXT"));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QByteArray arquivo = f.readAll();
            EXPECT_GE(registrosDoTipo(arquivo, 'C'), minimoDeCupons);
            EXPECT_EQ(ArquivoPorCupom(cupons, comReceita, arquivo.left(65)), arquivo);
        }
    }
}

class Equivalencia : public ::testing::TestWithParam<int> {};

TEST_P(Equivalencia, SameFileAsAKeyedQueryPerCoupon) {
    BancoTeste banco;
    banco.executar(QStringLiteral("SET @linhas = 3000, @meses = 3, @semente = %1").arg(GetParam()));
    banco.executarScript(scriptDemo());
    compararTodasAsExecucoes(banco.nome(), 100);
}

INSTANTIATE_TEST_SUITE_P(Sementes, Equivalencia, ::testing::Values(1, 7, 1234));

// Lines without a movment row make a coupon row with NULL branch and entry, which reads as
// branch 0, entry 0. A real sale 0 of a branch 0 then matches it as well, exactly as a keyed
// query for branch 0 and entry 0 would; NULL lines themselves belong to no coupon.
TEST(EquivalenciaFilialZero, NullCouponMeetsSaleZeroOfBranchZero) {
    BancoTeste banco;
    banco.executar("SET @linhas = 600, @meses = 1");
    banco.executarScript(scriptDemo());
    banco.executarScript(
        "INSERT INTO filial (filial_id, nome) VALUES (0, 'Filial Zero');\n"
        "INSERT INTO produto (produto_id, classe_produto, descricao) VALUES (999999, 'Z', 'Venda zero');\n"
        "INSERT INTO movment (movment_id, filial_id, numlanc, clientes_id, produto_id) VALUES (900001, 0, 0, 1, 999999);\n"
        "INSERT INTO receber (filial_id, numlanc, movment_id, clientes_id, produto_id, empresa_id, datahora,\n"
        "  vencimento, quantidade, valor, valortotal) VALUES\n"
        "  (0, 0, 900001, 1, 999999, 45911, '2024-01-15 10:00:00', '2024-01-15', 1, 9.99, 9.99);\n");
    ASSERT_NE(banco.valor("SELECT count(*) FROM receber r LEFT JOIN movment m ON m.movment_id = r.movment_id "
                          "WHERE m.movment_id IS NULL AND r.empresa_id = 45911"),
              "0");
    compararTodasAsExecucoes(banco.nome(), 20);

    // Its item stands under its own coupon and under the NULL coupon.
    QTemporaryDir pasta;
    QSqlQuery cupons(TDadosExportacao::GetConexao());
    TDadosExportacao::GerarArquivo(cupons, pasta.path(), true, QDate(2024, 1, 1), QDate(2024, 1, 31), false, 45911);
    QFile f(pasta.filePath("PROFARM - SEM RECEITA_012024.TXT"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().count("\r\nIZ0000999999"), 2);
}

}  // namespace

int main(int c, char** v) {
    QCoreApplication a(c, v);
    ::testing::InitGoogleTest(&c, v);
    BancoTeste inicial;
    PastaConfiguracaoTeste configuracao;
    configuracao.escreverSistemaZuv(inicial.nome());
    configuracao.escreverArquivo("ExportacaoQuelvar.ini", "[CONFIG]\r\nCNPJMatriz=1\r\nNomeMatriz=Demo\r\n");
    TDadosExportacao::Conectar();
    return RUN_ALL_TESTS();
}
