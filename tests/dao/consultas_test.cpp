// ConsultarValor, ExecutarSql and AbrirConsulta with both raise flags.
#include "BancoTeste.h"
#include "Erro.h"
#include "UDao.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

class Consultas : public ::testing::Test {
protected:
    void SetUp() override {
        banco.executar("create table valores (id int primary key, nome varchar(20), preco decimal(20,4), "
                       "nulo int null, grupo int)");
        banco.executar("insert into valores values (1, 'um', 12345678901234.5678, null, 7), "
                       "(2, 'dois', -0.0001, null, 7), (3, 'três', 0, 30, 7), (4, 'quatro', 1, null, 8)");
    }

    // What the server says about a statement, as a query run directly reports it.
    QString erroDireto(const QString& sql) const {
        QSqlQuery q(banco.conexao());
        EXPECT_FALSE(q.exec(sql));
        return q.lastError().text();
    }

    BancoTeste banco{false};
};

const QString Faltosa = "select * from tabela_que_nao_existe";

TEST_F(Consultas, ConsultarValorDaPrimeiraColunaDaPrimeiraLinhaOuOPadrao) {
    const QVariant padrao("padrão");
    const struct {
        QString sql;
        QVariant esperado;
    } casos[] = {
        {"select nome from valores where id = 99", padrao},                  // no row
        {"select nulo, nome from valores where id = 1", padrao},             // null first column
        {"select id, nome from valores order by id desc", QVariant(4)},      // several rows and columns
        {"select nome, id from valores where id = 3", QVariant(QString::fromUtf8("três"))},
        {"select preco from valores where id = 1", QVariant("12345678901234.5678")},  // exact decimal text
        {"select preco from valores where id = 2", QVariant("-0.0001")},
        {"select nulo from valores where id = 3", QVariant(30)},
    };
    for (const bool levantar : {false, true}) {
        for (const auto& c : casos) {
            SCOPED_TRACE(c.sql.toStdString());
            const QVariant v = TDao::ConsultarValor(banco.conexao(), c.sql, padrao, levantar);
            EXPECT_EQ(v, c.esperado);
            EXPECT_EQ(v.metaType(), c.esperado.metaType());
        }
    }
}

TEST_F(Consultas, ConsultarValorComErro) {
    EXPECT_EQ(TDao::ConsultarValor(banco.conexao(), Faltosa, 42, false), QVariant(42));
    const QString esperado = erroDireto(Faltosa);
    try {
        TDao::ConsultarValor(banco.conexao(), Faltosa, 42, true);
        ADD_FAILURE() << "no error";
    } catch (const ErroBanco& e) {
        EXPECT_EQ(e.texto(), esperado);
        EXPECT_TRUE(e.texto().contains("tabela_que_nao_existe"));
    }
}

TEST_F(Consultas, ExecutarSqlDaALinhasAfetadas) {
    for (const bool levantar : {false, true}) {
        banco.executar("update valores set grupo = 7 where id <> 4");
        EXPECT_EQ(TDao::ExecutarSql(banco.conexao(), "update valores set grupo = 9 where grupo = 7", levantar), 3);
        EXPECT_EQ(TDao::ExecutarSql(banco.conexao(), "update valores set grupo = 9 where grupo = 9", levantar), 0);
        EXPECT_EQ(TDao::ExecutarSql(banco.conexao(), "delete from valores where id = 99", levantar), 0);
    }
    EXPECT_EQ(TDao::ExecutarSql(banco.conexao(), "insert into valores (id) values (5), (6)", true), 2);
    EXPECT_EQ(banco.valor("select count(*) from valores"), "6");
    EXPECT_EQ(TDao::ExecutarSql(banco.conexao(), "create table nova (x int)", true), 0);
    EXPECT_EQ(banco.valor("select count(*) from nova"), "0");
}

TEST_F(Consultas, ExecutarSqlComErro) {
    const QString faltosa = "update tabela_que_nao_existe set x = 1";
    EXPECT_EQ(TDao::ExecutarSql(banco.conexao(), faltosa, false), -1);
    const QString esperado = erroDireto(faltosa);
    try {
        TDao::ExecutarSql(banco.conexao(), faltosa, true);
        ADD_FAILURE() << "no error";
    } catch (const ErroBanco& e) {
        EXPECT_EQ(e.texto(), esperado);
    }
    // A statement the server half-refuses (duplicate key) is an error too, and changes nothing.
    EXPECT_EQ(TDao::ExecutarSql(banco.conexao(), "insert into valores (id) values (1)", false), -1);
    EXPECT_THROW(TDao::ExecutarSql(banco.conexao(), "insert into valores (id) values (1)", true), ErroBanco);
    EXPECT_EQ(banco.valor("select count(*) from valores"), "4");
}

TEST_F(Consultas, AbrirConsultaEntregaTodasAsLinhas) {
    for (const bool levantar : {false, true}) {
        const auto q = TDao::AbrirConsulta(banco.conexao(), "select id, preco from valores order by id", levantar);
        ASSERT_TRUE(q);
        QStringList lidos;
        while (q->next()) lidos << q->value(0).toString() + "=" + q->value("preco").toString();
        EXPECT_EQ(lidos, QStringList({"1=12345678901234.5678", "2=-0.0001", "3=0.0000", "4=1.0000"}));
        // The caller may go back to the first row (the reports walk the rows more than once).
        EXPECT_TRUE(q->first());
        EXPECT_EQ(q->value(0).toInt(), 1);
    }
    const auto vazia = TDao::AbrirConsulta(banco.conexao(), "select id from valores where id = 99", true);
    ASSERT_TRUE(vazia);
    EXPECT_FALSE(vazia->next());
}

TEST_F(Consultas, AbrirConsultaComErro) {
    EXPECT_EQ(TDao::AbrirConsulta(banco.conexao(), Faltosa, false), nullptr);
    const QString esperado = erroDireto(Faltosa);
    try {
        TDao::AbrirConsulta(banco.conexao(), Faltosa, true);
        ADD_FAILURE() << "no error";
    } catch (const ErroBanco& e) {
        EXPECT_EQ(e.texto(), esperado);
    }
}

TEST_F(Consultas, VariasConsultasAbertasNaMesmaConexao) {
    const auto a = TDao::AbrirConsulta(banco.conexao(), "select id from valores order by id", true);
    const auto b = TDao::AbrirConsulta(banco.conexao(), "select id from valores order by id desc", true);
    ASSERT_TRUE(a && b);
    ASSERT_TRUE(a->next() && b->next());
    EXPECT_EQ(TDao::ConsultarValor(banco.conexao(), "select count(*) from valores", 0, true).toInt(), 4);
    EXPECT_EQ(a->value(0).toInt(), 1);
    EXPECT_EQ(b->value(0).toInt(), 4);
}

}  // namespace

int main(int c, char** v) {
    QCoreApplication a(c, v);
    ::testing::InitGoogleTest(&c, v);
    return RUN_ALL_TESTS();
}
