// Reading sistema_zuv.ini and opening connections against the private server.
#include "BancoTeste.h"
#include "Cp1252.h"
#include "Erro.h"
#include "UConfiguraConexaoBase.h"
#include "UDao.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

struct Leitura {
    QString endereco, banco, usuario, senha;
};

Leitura ler(const QString& arquivo, const QString& secao, bool central) {
    Leitura l{"x", "x", "x", "x"};
    TDao::LerConfiguracao(arquivo, secao, l.endereco, l.banco, l.usuario, l.senha, central);
    return l;
}

QByteArray cifrada(const QByteArray& senha) { return Codificar("E", senha, TDao::ChaveSenha); }

QString enderecoServidor() { return ServidorTeste::host() + ":" + QString::number(ServidorTeste::porta()); }

QString valorEm(const QSqlDatabase& conexao, const QString& sql) {
    QSqlQuery q(conexao);
    if (!q.exec(sql) || !q.next()) return "<" + q.lastError().text() + ">";
    return q.value(0).toString();
}

TEST(LerConfiguracao, SemArquivoValemOsPadroes) {
    const PastaConfiguracaoTeste pasta;
    for (const bool central : {false, true}) {
        const Leitura l = ler("", "ip", central);
        EXPECT_EQ(l.endereco, "");
        EXPECT_EQ(l.banco, "");
        EXPECT_EQ(l.usuario, "root");
        EXPECT_EQ(l.senha, cp1252::decodificar(QByteArray(" Jl\xAD\x90\xE5\xEC\xC1\x02", 9)));
    }
}

TEST(LerConfiguracao, ChavesDaSecaoPedida) {
    const PastaConfiguracaoTeste pasta;
    pasta.escreverArquivo("outro.ini",
                          "[ip]\r\nlocal=local-ip\r\ncentral=central-ip:3310\r\ndatabase=erp\r\nusuario=u1\r\nsenha=" +
                              cifrada("s1") +
                              "\r\n[loja]\r\nlocal=loja:3308\r\ndatabase=erp_loja\r\nusuario=u2\r\nsenha=" +
                              cifrada("s2") + "\r\n");
    const Leitura local = ler("outro.ini", "ip", false);
    EXPECT_EQ(local.endereco, "local-ip");
    EXPECT_EQ(local.banco, "erp");
    EXPECT_EQ(local.usuario, "u1");
    EXPECT_EQ(local.senha, "s1");
    const Leitura loja = ler(pasta.caminho() + "outro.ini", "loja", false);
    EXPECT_EQ(loja.endereco, "loja:3308");
    EXPECT_EQ(loja.banco, "erp_loja");
    EXPECT_EQ(loja.usuario, "u2");
    EXPECT_EQ(loja.senha, "s2");
    EXPECT_EQ(ler("outro.ini", "nenhuma", false).usuario, "root");
}

TEST(LerConfiguracao, SenhaArmazenada) {
    const PastaConfiguracaoTeste pasta;
    const struct {
        QByteArray armazenada;
        QString senha;
    } casos[] = {
        {cifrada("segredo"), "segredo"},
        {cifrada("s\xE3o jo\xE3o\x80"), QString::fromUtf8("são joão€")},  // Windows-1252 bytes
        {cifrada("segredo").toLower(), "segredo"},
        {"xyz123", "750381kuw"},   // seed piece not hexadecimal
        {"AB", "750381kuw"},       // fewer than three characters
        {"100B1Z", "750381kuw"},
        {"", ""},                  // blank gives the empty password, not the fallback
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.armazenada.toStdString());
        pasta.escreverArquivo(TDao::ArquivoPadrao, "[ip]\r\nsenha=" + c.armazenada + "\r\n");
        EXPECT_EQ(ler("", "ip", false).senha, c.senha);
    }
}

class Conexao : public ::testing::Test {
protected:
    BancoTeste banco;
    PastaConfiguracaoTeste pasta;
};

TEST_F(Conexao, CriarConexaoPelaSenhaCifradaDoArquivo) {
    pasta.escreverSistemaZuv(banco.nome());
    const QStringList antes = QSqlDatabase::connectionNames();
    QSqlDatabase conexao = TDao::CriarConexao("", "ip");
    EXPECT_TRUE(conexao.isOpen());
    EXPECT_EQ(valorEm(conexao, "select database()"), banco.nome());
    EXPECT_EQ(conexao.port(), ServidorTeste::porta());
    TDao::Liberar(conexao);
    EXPECT_EQ(QSqlDatabase::connectionNames(), antes);
}

TEST_F(Conexao, CadaConexaoTemSeuProprioRegistro) {
    pasta.escreverSistemaZuv(banco.nome());
    QSqlDatabase a = TDao::CriarConexao("", "ip");
    QSqlDatabase b = TDao::CriarConexao(pasta.caminho() + "sistema_zuv.ini", "ip");
    EXPECT_NE(a.connectionName(), b.connectionName());
    EXPECT_TRUE(a.isOpen());
    EXPECT_TRUE(b.isOpen());
    // Temporary tables are per connection, so these are two sessions.
    EXPECT_NE(valorEm(a, "select connection_id()"), valorEm(b, "select connection_id()"));
    TDao::Liberar(a);
    TDao::Liberar(b);
}

// The error of a refused connection is the driver's, word for word.
TEST_F(Conexao, FalhaAoConectarTrazOTextoDoDriver) {
    const struct {
        const char* caso;
        QString endereco, banco, senha;
    } casos[] = {
        {"porta fechada", ServidorTeste::host() + ":1", banco.nome(), ServidorTeste::senha()},
        {"senha errada", enderecoServidor(), banco.nome(), "errada"},
        {"banco inexistente", enderecoServidor(), "banco_que_nao_existe", ServidorTeste::senha()},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QString esperado;
        {
            QSqlDatabase direta = QSqlDatabase::addDatabase("QMYSQL", "direta");
            QString host;
            int porta = 0;
            TConfiguraConexaoBase::SepararPorta(c.endereco, host, porta);
            direta.setHostName(host);
            direta.setPort(porta);
            direta.setDatabaseName(c.banco);
            direta.setUserName("root");
            direta.setPassword(c.senha);
            EXPECT_FALSE(direta.open());
            esperado = direta.lastError().text();
        }
        QSqlDatabase::removeDatabase("direta");
        ASSERT_FALSE(esperado.trimmed().isEmpty());

        const QStringList antes = QSqlDatabase::connectionNames();
        try {
            TDao::NovaConexao(c.endereco, c.banco, "root", c.senha);
            ADD_FAILURE() << "connected";
        } catch (const ErroBanco& e) {
            EXPECT_EQ(e.texto(), esperado);
        }
        EXPECT_EQ(QSqlDatabase::connectionNames(), antes);
    }
}

TEST_F(Conexao, CriarConexaoPassaAdianteOErroDoArquivoErrado) {
    pasta.escreverArquivo("sistema_zuv.ini", "[ip]\r\nlocal=" + ServidorTeste::host().toLatin1() +
                                                 ":1\r\nusuario=root\r\nsenha=" +
                                                 cifrada(ServidorTeste::senha().toLatin1()) + "\r\n");
    EXPECT_THROW(TDao::CriarConexao("", "ip"), ErroBanco);
}

class ModoCentral : public Conexao {
protected:
    void SetUp() override {
        pasta.escreverSistemaZuv(banco.nome(), {"central=central-do-arquivo:3399"});
        antes = QSqlDatabase::connectionNames();
    }
    // The temporary connection of the central mode must be gone, whatever happened.
    void TearDown() override { EXPECT_EQ(QSqlDatabase::connectionNames(), antes); }

    void esperarValoresDoArquivo(const Leitura& l) const {
        EXPECT_EQ(l.endereco, "central-do-arquivo:3399");
        EXPECT_EQ(l.banco, banco.nome());
        EXPECT_EQ(l.usuario, "root");
        EXPECT_EQ(l.senha, ServidorTeste::senha());
    }

    QStringList antes;
};

TEST_F(ModoCentral, SemTabelaValemOsValoresDoArquivo) {
    banco.executar("drop table config_central");
    esperarValoresDoArquivo(ler("", "ip", true));
}

TEST_F(ModoCentral, TabelaVaziaValemOsValoresDoArquivo) {
    esperarValoresDoArquivo(ler("", "ip", true));
}

TEST_F(ModoCentral, ServidorLocalInacessivelValemOsValoresDoArquivo) {
    pasta.escreverArquivo("sistema_zuv.ini", "[ip]\r\nlocal=" + ServidorTeste::host().toLatin1() +
                                                 ":1\r\ncentral=c:3399\r\ndatabase=erp\r\nusuario=u\r\nsenha=" +
                                                 cifrada("s") + "\r\n");
    const Leitura l = ler("", "ip", true);
    EXPECT_EQ(l.endereco, "c:3399");
    EXPECT_EQ(l.banco, "erp");
    EXPECT_EQ(l.usuario, "u");
    EXPECT_EQ(l.senha, "s");
}

TEST_F(ModoCentral, LinhaDaTabelaDaOsQuatroValores) {
    banco.executar("insert into config_central values ('10.1.1.1:3310', 'central_db', 'operador', '" +
                   QString::fromLatin1(cifrada("senha central")) + "')");
    banco.executar("insert into config_central values ('outro', 'outro', 'outro', 'outro')");
    const Leitura l = ler("", "ip", true);
    EXPECT_EQ(l.endereco, "10.1.1.1:3310");
    EXPECT_EQ(l.banco, "central_db");
    EXPECT_EQ(l.usuario, "operador");
    EXPECT_EQ(l.senha, "senha central");
}

TEST_F(ModoCentral, SenhaIlegivelDaTabelaDaAReserva) {
    banco.executar("insert into config_central values ('c', 'b', 'u', 'nao cifrada')");
    const Leitura l = ler("", "ip", true);
    EXPECT_EQ(l.endereco, "c");
    EXPECT_EQ(l.senha, "750381kuw");
}

TEST_F(ModoCentral, ColunaQueFaltaMantemOQueJaFoiLido) {
    // The row is read column by column; what was taken before the failure stays.
    banco.executar("alter table config_central drop column usuario");
    banco.executar("insert into config_central values ('c', 'b', '" + QString::fromLatin1(cifrada("x")) + "')");
    const Leitura l = ler("", "ip", true);
    EXPECT_EQ(l.endereco, "c");
    EXPECT_EQ(l.banco, "b");
    EXPECT_EQ(l.usuario, "root");
    EXPECT_EQ(l.senha, ServidorTeste::senha());
}

}  // namespace

int main(int c, char** v) {
    QCoreApplication a(c, v);
    ::testing::InitGoogleTest(&c, v);
    return RUN_ALL_TESTS();
}
