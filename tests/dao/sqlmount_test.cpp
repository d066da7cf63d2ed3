// The statement builder: its lines, its parameters, and running it on the server.
#include "BancoTeste.h"
#include "Erro.h"
#include "UDao.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

QString mensagemDe(const TSqlMount& m) {
    try {
        m.GetSQL();
    } catch (const Erro& e) {
        return e.texto();
    }
    return "<no error>";
}

TEST(SqlMount, LinhasDeCadaTipo) {
    const struct {
        SQLMountType tipo;
        QString where;
        QStringList linhas;
    } casos[] = {
        {smUpdate, "", {" update t set ", "a = :a", ",b = :b", ""}},
        {smUpdate, "where a = 1", {" update t set ", "a = :a", ",b = :b", "where a = 1"}},
        {smInsert, "ignorado", {"insert into t ( ", "a", ",b", " ) ", " values ( ", ":a", ",:b", " ) "}},
        {smReplace, "", {"replace into t ( ", "a", ",b", " ) ", " values ( ", ":a", ",:b", " ) "}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.linhas.join('|').toStdString());
        TSqlMount m(c.tipo, "t");
        m.Where = c.where;
        m.AddInteger("a", 1);
        m.AddString("b", "x");
        EXPECT_EQ(m.GetSQL(), c.linhas);
    }
}

TEST(SqlMount, LinhasDoCodigoDeFilial) {
    TSqlMount m(smReplace, "quelvar_config_filial");
    m.AddInteger("filial_id", 5);
    m.AddString("codigo_quelvar", "Q5");
    EXPECT_EQ(TextoDasLinhas(m.GetSQL()),
              "replace into quelvar_config_filial ( \r\nfilial_id\r\n,codigo_quelvar\r\n ) \r\n values ( \r\n"
              ":filial_id\r\n,:codigo_quelvar\r\n ) \r\n");
}

TEST(SqlMount, ExpressaoNoLugarDoMarcador) {
    for (const SQLMountType tipo : {smUpdate, smInsert, smReplace}) {
        TSqlMount m(tipo, "t");
        m.AddInteger("a", 1);
        m.AddString("b", "x");
        m.AddString("c", "y");
        m.Expressions = {{"A", "now()"}, {"b", ""}, {"a", "ignorada"}};  // first entry of a name wins
        const QString texto = TextoDasLinhas(m.GetSQL());
        SCOPED_TRACE(texto.toStdString());
        EXPECT_TRUE(texto.contains("now()"));
        EXPECT_FALSE(texto.contains(":a"));
        EXPECT_FALSE(texto.contains("ignorada"));
        EXPECT_TRUE(texto.contains(":b"));
        EXPECT_TRUE(texto.contains(":c"));
        EXPECT_EQ(m.GetParams().size(), 3);
    }
    TSqlMount u(smUpdate, "t");
    u.AddInteger("a", 1);
    u.Expressions = {{"a", "a + 1"}};
    EXPECT_EQ(u.GetSQL(), QStringList({" update t set ", "a = a + 1", ""}));
}

TEST(SqlMount, ErrosDoGetSQL) {
    for (const SQLMountType tipo : {smUpdate, smInsert, smReplace, SQLMountType(3), SQLMountType(255)}) {
        TSqlMount m(tipo, "t");
        EXPECT_EQ(mensagemDe(m), "Nao ha campos para gerar a instrucao sql.");
    }
    TSqlMount invalido(3, "t");
    invalido.AddInteger("a", 1);
    EXPECT_EQ(mensagemDe(invalido), QString::fromUtf8("SQLMountType inválido."));
    EXPECT_EQ(invalido.Fields, QStringList({"a"}));
}

TEST(SqlMount, ClearMantemTabelaTipoECondicao) {
    TSqlMount m(smUpdate, "t");
    m.Where = "where x = 1";
    m.AddInteger("a", 1);
    m.AddString("b", "x");
    m.Expressions = {{"c", "now()"}};
    m.Clear();
    EXPECT_TRUE(m.Fields.isEmpty());
    EXPECT_TRUE(m.Params().isEmpty());
    EXPECT_TRUE(m.Expressions.isEmpty());
    m.AddInteger("c", 2);
    m.AddString("d", "y");
    EXPECT_EQ(m.GetSQL(), QStringList({" update t set ", "c = :c", ",d = :d", "where x = 1"}));
}

TEST(SqlMount, GetParamsRefazALista) {
    TSqlMount m(smInsert, "t");
    m.AddInteger("a", 7);
    m.AddString("b", "sete");
    m.AddParam("a", QVariant(8), QMetaType::LongLong);  // repeated names are kept as they come
    EXPECT_EQ(m.GetParams().size(), 3);
    const QList<TSqlMount::Param>& p = m.GetParams();
    ASSERT_EQ(p.size(), 3);
    EXPECT_EQ(p[0].nome, "a");
    EXPECT_EQ(p[0].tipo, QMetaType::Int);
    EXPECT_EQ(p[0].valor, QVariant(7));
    EXPECT_EQ(p[1].nome, "b");
    EXPECT_EQ(p[1].tipo, QMetaType::QString);
    EXPECT_EQ(p[1].valor, QVariant("sete"));
    EXPECT_EQ(p[2].tipo, QMetaType::LongLong);
    EXPECT_EQ(m.Fields, QStringList({"a", "b", "a"}));
    m.Clear();
    m.AddInteger("z", 1);
    EXPECT_EQ(m.GetParams().size(), 1);
}

class ExecutarSqlMount : public ::testing::Test {
protected:
    void SetUp() override {
        banco.executar("create table quelvar_config_filial (filial_id int(11) not null default '0', "
                       "codigo_quelvar varchar(20) not null default '', primary key (filial_id))");
    }
    int gravar(int filial, const QString& codigo) {
        m.Clear();
        m.AddInteger("filial_id", filial);
        m.AddString("codigo_quelvar", codigo);
        return TDao::ExecutarSqlMount(banco.conexao(), m, true);
    }

    BancoTeste banco{false};
    TSqlMount m{smReplace, "quelvar_config_filial"};
};

TEST_F(ExecutarSqlMount, ReplaceDeixaUmaLinhaPorFilial) {
    EXPECT_EQ(gravar(5, "PRIMEIRO"), 1);
    EXPECT_EQ(gravar(5, QString::fromUtf8("SÃO JOÃO")), 2);
    EXPECT_EQ(gravar(6, "OUTRA"), 1);
    EXPECT_EQ(banco.valor("select count(*) from quelvar_config_filial where filial_id = 5"), "1");
    EXPECT_EQ(banco.valor("select codigo_quelvar from quelvar_config_filial where filial_id = 5"),
              QString::fromUtf8("SÃO JOÃO"));
    EXPECT_EQ(banco.valor("select count(*) from quelvar_config_filial"), "2");
}

TEST_F(ExecutarSqlMount, UpdateComCondicao) {
    banco.executar("insert into quelvar_config_filial values (1, 'a'), (2, 'b'), (3, 'c'), (4, 'd')");
    TSqlMount u(smUpdate, "quelvar_config_filial");
    u.Where = "where filial_id < 4";
    u.AddString("codigo_quelvar", "novo");
    EXPECT_EQ(TDao::ExecutarSqlMount(banco.conexao(), u, true), 3);
    EXPECT_EQ(banco.valor("select group_concat(codigo_quelvar order by filial_id) from quelvar_config_filial"),
              "novo,novo,novo,d");
}

// Only the parameters whose placeholder occurs are bound, by whole name: "cod" is not "cod_x".
TEST_F(ExecutarSqlMount, ParametroSemMarcadorEIgnorado) {
    banco.executar("create table t (cod int, cod_x varchar(10))");
    TSqlMount i(smInsert, "t");
    i.AddInteger("cod", 1);
    i.AddString("cod_x", "x");
    i.Expressions = {{"cod", "40 + 2"}};
    EXPECT_EQ(TDao::ExecutarSqlMount(banco.conexao(), i, true), 1);
    EXPECT_EQ(banco.valor("select concat(cod, '/', cod_x) from t"), "42/x");
}

TEST_F(ExecutarSqlMount, ErroDoServidor) {
    TSqlMount i(smInsert, "tabela_que_nao_existe");
    i.AddInteger("a", 1);
    EXPECT_EQ(TDao::ExecutarSqlMount(banco.conexao(), i, false), -1);
    try {
        TDao::ExecutarSqlMount(banco.conexao(), i, true);
        ADD_FAILURE() << "no error";
    } catch (const ErroBanco& e) {
        EXPECT_TRUE(e.texto().contains("tabela_que_nao_existe"));
    }
    TSqlMount duplicado(smInsert, "quelvar_config_filial");
    duplicado.AddInteger("filial_id", 9);
    EXPECT_EQ(TDao::ExecutarSqlMount(banco.conexao(), duplicado, false), 1);
    EXPECT_EQ(TDao::ExecutarSqlMount(banco.conexao(), duplicado, false), -1);
    EXPECT_THROW(TDao::ExecutarSqlMount(banco.conexao(), duplicado, true), ErroBanco);
}

TEST_F(ExecutarSqlMount, ErroDoConstrutorPassaQualquerQueSejaOIndicador) {
    TSqlMount vazio(smReplace, "quelvar_config_filial");
    for (const bool levantar : {false, true}) {
        try {
            TDao::ExecutarSqlMount(banco.conexao(), vazio, levantar);
            ADD_FAILURE() << "no error";
        } catch (const ErroBanco&) {
            ADD_FAILURE() << "a builder error is no database error";
        } catch (const Erro& e) {
            EXPECT_EQ(e.texto(), "Nao ha campos para gerar a instrucao sql.");
        }
    }
}

}  // namespace

int main(int c, char** v) {
    QCoreApplication a(c, v);
    ::testing::InitGoogleTest(&c, v);
    return RUN_ALL_TESTS();
}
