#include "ApoioRelatorio.h"
#include "BancoTeste.h"
#include "Erro.h"
#include "RelatoriosCupons.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

using T = TipoBanda;

// The rows come from a real query on the private server, as the export run leaves them.
class TabelaDadosDoBanco : public ::testing::Test {
protected:
    void SetUp() override {
        banco.executarScript(
            "CREATE TABLE cupons (id INT PRIMARY KEY, chapa_cliente VARCHAR(20), nome_beneficiario VARCHAR(60),\n"
            "  codigo_quelvar VARCHAR(4) NULL, numero_documento_fiscal INT, datahora DATETIME,\n"
            "  total_cupom DECIMAL(15,4));\n"
            "INSERT INTO cupons VALUES\n"
            " (1, '00012345', 'MARIA D''ÁVILA', '0042', 555, '2024-05-02 09:15:30', 10.5),\n"
            " (2, '00067890', 'JOSÉ', NULL, 556, '2024-05-03 00:00:00', 20),\n"
            " (3, '00011111', 'ANA', '0007', 557, '2024-05-04 18:00:01', 0.25);\n");
    }

    QSqlQuery consultar() {
        QSqlQuery q(banco.conexao());
        q.setNumericalPrecisionPolicy(QSql::HighPrecision);
        EXPECT_TRUE(q.exec("SELECT chapa_cliente, nome_beneficiario, codigo_quelvar, numero_documento_fiscal, datahora,"
                           " total_cupom FROM cupons ORDER BY datahora"));
        return q;
    }

    BancoTeste banco;
};

TEST_F(TabelaDadosDoBanco, CopiaTodasAsLinhasDesdeAPrimeiraEDeixaAConsultaAberta) {
    QSqlQuery q = consultar();
    q.last();  // wherever the query stands, the report reads from the first row
    const TabelaDados dados = TabelaDados::deConsulta(q);
    EXPECT_TRUE(q.isActive());
    EXPECT_EQ(dados.colunas(), QStringList({"chapa_cliente", "nome_beneficiario", "codigo_quelvar",
                                            "numero_documento_fiscal", "datahora", "total_cupom"}));
    ASSERT_EQ(dados.quantidadeLinhas(), 3);
    EXPECT_EQ(dados.valor(0, 5).toString(), "10.5000");
    EXPECT_TRUE(dados.valor(1, 2).isNull());
    EXPECT_EQ(dados.valor(2, 4).toDateTime(), QDateTime(QDate(2024, 5, 4), QTime(18, 0, 1)));
}

TEST_F(TabelaDadosDoBanco, ConsultaSoDeAvancoJaLidaERecusadaEmVezDeDarRelatorioVazio) {
    QSqlQuery q(banco.conexao());
    q.setForwardOnly(true);
    ASSERT_TRUE(q.exec("SELECT chapa_cliente FROM cupons ORDER BY id"));
    EXPECT_EQ(TabelaDados::deConsulta(q).quantidadeLinhas(), 3);  // not yet read: fine

    ASSERT_TRUE(q.exec("SELECT chapa_cliente FROM cupons ORDER BY id"));
    while (q.next()) {
    }
    EXPECT_THROW(TabelaDados::deConsulta(q), Erro);
}

TEST_F(TabelaDadosDoBanco, RelatorioPreparadoNaoMudaQuandoAConsultaEReaberta) {
    Relatorio relatorio(ModeloRelPromed());
    QSqlQuery q = consultar();
    PrepararRelatorio(relatorio, QDate(2024, 5, 1), QDate(2024, 5, 31), q);
    const auto preparado = relatorio.preparado();

    // A second run refills the same query with other rows.
    banco.executar("UPDATE cupons SET total_cupom = 99, nome_beneficiario = 'OUTRO'");
    banco.executar("DELETE FROM cupons WHERE id = 3");
    ASSERT_TRUE(q.exec("SELECT chapa_cliente, nome_beneficiario, codigo_quelvar, numero_documento_fiscal, datahora,"
                       " total_cupom FROM cupons"));

    EXPECT_EQ(relatorio.preparado(), preparado);
    EXPECT_EQ(TextosDasFaixas(preparado->paginas[0], T::Dados),
              QList<QStringList>({
                  {"00012345", "MARIA D'ÁVILA", "0042", "555", "02/05/2024 09:15:30", "10,50"},
                  {"00067890", "JOSÉ", "", "556", "03/05/2024", "20,00"},
                  {"00011111", "ANA", "0007", "557", "04/05/2024 18:00:01", "0,25"},
              }));
    EXPECT_EQ(TextosDasFaixas(preparado->paginas[0], T::Rodape), QList<QStringList>({{"Totalização", "30,75"}}));
}

TEST_F(TabelaDadosDoBanco, ConsultaSemLinhasDaUmRelatorioSoComCabecalhos) {
    QSqlQuery q(banco.conexao());
    ASSERT_TRUE(q.exec("SELECT chapa_cliente, nome_beneficiario, codigo_quelvar, numero_documento_fiscal, datahora,"
                       " total_cupom FROM cupons WHERE id < 0"));
    Relatorio relatorio(ModeloRelProfarma());
    PrepararRelatorio(relatorio, QDate(2024, 5, 1), QDate(2024, 5, 31), q);
    ASSERT_EQ(relatorio.preparado()->paginas.size(), 1);
    EXPECT_EQ(TiposDasFaixas(relatorio.preparado()->paginas[0]), QList<TipoBanda>({T::CabecalhoPagina, T::CabecalhoColunas}));
}

}  // namespace
