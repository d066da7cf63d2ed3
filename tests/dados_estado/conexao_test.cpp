// The shared connection from start to a refused and then a successful Conectar, and the gauge.
#include "BancoTeste.h"
#include "Erro.h"
#include "UDados.h"
#include "UDao.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

class Contador : public IProgresso {
public:
    void DefinirMaximo(int) override {}
    void DefinirPosicao(int) override {}
    void Avancar() override {}
};

TEST(EstadoCompartilhado, DaPartidaAConexaoAberta) {
    const BancoTeste banco;
    const PastaConfiguracaoTeste pasta;

    EXPECT_FALSE(TDadosExportacao::GetConexao().isValid());
    EXPECT_EQ(TDadosExportacao::Progresso(), nullptr);

    // A refused connection leaves no shared connection and nothing registered.
    pasta.escreverArquivo("sistema_zuv.ini", "[ip]\r\nlocal=" + ServidorTeste::host().toLatin1() + ":1\r\n");
    const QStringList antes = QSqlDatabase::connectionNames();
    EXPECT_THROW(TDadosExportacao::Conectar(), ErroBanco);
    EXPECT_FALSE(TDadosExportacao::GetConexao().isValid());
    EXPECT_EQ(QSqlDatabase::connectionNames(), antes);

    // Only section "ip" of the default file counts.
    pasta.escreverSistemaZuv(banco.nome());
    TDadosExportacao::Conectar();
    const QSqlDatabase a = TDadosExportacao::GetConexao();
    const QSqlDatabase b = TDadosExportacao::GetConexao();
    ASSERT_TRUE(a.isOpen());
    EXPECT_EQ(a.connectionName(), b.connectionName());
    QSqlQuery q(a);
    ASSERT_TRUE(q.exec("select database()") && q.next());
    EXPECT_EQ(q.value(0).toString(), banco.nome());

    // Statements made on one handle are seen on the other: it is one session.
    QSqlQuery t(a);
    ASSERT_TRUE(t.exec("create temporary table tmp_sessao (x int)"));
    QSqlQuery u(TDadosExportacao::GetConexao());
    EXPECT_TRUE(u.exec("select count(*) from tmp_sessao"));

    Contador gauge, outro;
    TDadosExportacao::SetProgresso(&gauge);
    EXPECT_EQ(TDadosExportacao::Progresso(), &gauge);
    TDadosExportacao::SetProgresso(&outro);
    EXPECT_EQ(TDadosExportacao::Progresso(), &outro);
    TDadosExportacao::SetProgresso(nullptr);
}

}  // namespace

int main(int c, char** v) {
    QCoreApplication a(c, v);
    ::testing::InitGoogleTest(&c, v);
    return RUN_ALL_TESTS();
}
