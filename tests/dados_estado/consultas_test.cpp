// The two queries of the main window on the shared connection.
#include "BancoTeste.h"
#include "Erro.h"
#include "UDados.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

// One database and one shared connection for the whole program, as in the real process.
struct Ambiente : ::testing::Environment {
    void SetUp() override {
        banco = std::make_unique<BancoTeste>();
        pasta = std::make_unique<PastaConfiguracaoTeste>();
        pasta->escreverSistemaZuv(banco->nome());
        TDadosExportacao::Conectar();
        banco->executar("insert into filial (filial_id, nome, cgc) values (1, 'LOJA CENTRO', '12345678000199'), "
                        "(2, 'SEM CNPJ', null), (3, 'FARMÁCIA SÃO JOÃO', '98.765.432/0001-10')");
        banco->executar("insert into empresa (empresa_id, nome, apagado) values (3, 'ZETA', 'N'), (1, 'ALFA', 'N'), "
                        "(2, 'BETA', null), (4, 'GAMA', 'S'), (5, 'delta', 'N'), (6, 'ÉPSILON', '')");
    }
    void TearDown() override {
        pasta.reset();
        banco.reset();
    }
    std::unique_ptr<BancoTeste> banco;
    std::unique_ptr<PastaConfiguracaoTeste> pasta;
};

Ambiente* ambiente = nullptr;

TEST(DescricaoFilial, Casos) {
    const struct {
        int filial;
        QString texto;
    } casos[] = {
        {1, "1 - LOJA CENTRO (12345678000199)"},
        {3, QString::fromUtf8("3 - FARMÁCIA SÃO JOÃO (98.765.432/0001-10)")},
        {2, QString::fromUtf8("FILIAL NÃO LOCALIZADA")},  // null cgc makes the whole value null
        {99, QString::fromUtf8("FILIAL NÃO LOCALIZADA")},
        {-1, QString::fromUtf8("FILIAL NÃO LOCALIZADA")},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.filial);
        EXPECT_EQ(TDadosExportacao::DescricaoFilial(c.filial), c.texto);
    }
}

TEST(DescricaoFilial, ErroDoBancoChegaAoChamador) {
    ambiente->banco->executar("rename table filial to filial_guardada");
    EXPECT_THROW(TDadosExportacao::DescricaoFilial(1), ErroBanco);
    ambiente->banco->executar("rename table filial_guardada to filial");
    EXPECT_EQ(TDadosExportacao::DescricaoFilial(1), "1 - LOJA CENTRO (12345678000199)");
}

// Deleted companies ("S") and those with no mark at all (null) stay out; the rest by name.
TEST(ConsultarEmpresas, VivasPorNome) {
    const std::unique_ptr<QSqlQuery> q = TDadosExportacao::ConsultarEmpresas();
    ASSERT_TRUE(q);
    QStringList lidas;
    while (q->next()) lidas << q->value("empresa_id").toString() + " " + q->value("nome").toString();
    EXPECT_EQ(lidas, QStringList({"1 ALFA", "5 delta", QString::fromUtf8("6 ÉPSILON"), "3 ZETA"}));
}

}  // namespace

int main(int c, char** v) {
    QCoreApplication a(c, v);
    ::testing::InitGoogleTest(&c, v);
    ambiente = new Ambiente;
    ::testing::AddGlobalTestEnvironment(ambiente);
    return RUN_ALL_TESTS();
}
