// The password cipher, the address splitter and the settings-file path: no server needed.
#include "BancoTeste.h"
#include "Erro.h"
#include "UConfiguraConexaoBase.h"
#include "UDao.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

const QByteArray Chave = TDao::ChaveSenha;

QByteArray codigos(int de, int ate) {
    QByteArray t;
    for (int c = de; c <= ate; ++c) t += static_cast<char>(c);
    return t;
}

TEST(Cifra, DecifraOQueCifrouComQualquerChave) {
    QByteArray invertido = codigos(1, 254);
    std::reverse(invertido.begin(), invertido.end());
    const QList<QByteArray> textos{QByteArray(), codigos(1, 254), invertido, QByteArray(300, '\xFE'),
                                   QByteArray(50, '\x01'), "senha123", "\xE7\xE3o"};
    const QList<QByteArray> chaves{Chave, "K", "ABCDE", "\xFF\x01"};
    const QRegularExpression hexMaiusculo("^[0-9A-F]*$");
    for (const QByteArray& chave : chaves) {
        for (const QByteArray& texto : textos) {
            const QByteArray cifrado = Codificar("E", texto, chave);
            SCOPED_TRACE(cifrado.toStdString());
            EXPECT_EQ(cifrado.size(), 2 + 2 * texto.size());
            EXPECT_TRUE(hexMaiusculo.match(QString::fromLatin1(cifrado)).hasMatch());
            if (!texto.isEmpty()) EXPECT_EQ(Codificar("D", cifrado, chave), texto);
        }
    }
}

TEST(Cifra, CadaCifragemTiraUmaSementeNova) {
    QSet<QByteArray> formas;
    for (int i = 0; i < 20; ++i) {
        const QByteArray cifrado = Codificar("E", "mesma senha", Chave);
        EXPECT_EQ(Codificar("D", cifrado, Chave), "mesma senha");
        formas.insert(cifrado);
    }
    EXPECT_GT(formas.size(), 1);
}

// Stored forms worked out by hand from the cipher's rule: the modulus is 255, the key runs
// Z, U, Q, Z, ... and each byte chains on the previous one.
TEST(Cifra, DecifraFormasConhecidas) {
    const struct {
        QByteArray chave;
        QByteArray armazenado;
        QByteArray texto;
    } casos[] = {
        {Chave, "100B18", "AB"},
        {Chave, "100b18", "AB"},                  // digits in either case
        {Chave, "F031", "z"},                     // (122 + 240) mod 255, not mod 256
        {Chave, "3CF50E2DCF64C4AC8A", "senha123"},  // key cycles past its third character
        {Chave, "FF3BC87DBB748BA8", "abcdefg"},
        {Chave, "01B2C362", "\xE7\xE3o"},
        {"K", "20D306CB08", "xyzw"},
        {"ABCDE", "20D911C804", "xyzw"},
        {Chave, TDao::SenhaPadrao, QByteArray(" Jl\xAD\x90\xE5\xEC\xC1\x02", 9)},
        {Chave, "10B", "A"},       // three characters: the third is a one-digit piece
        {Chave, "100BX", "A"},     // odd length of five or more: the last character is ignored
        {Chave, "100B18Z", "AB"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.armazenado.toStdString());
        EXPECT_EQ(Codificar("D", c.armazenado, c.chave), c.texto);
    }
}

TEST(Cifra, PecaQueNaoEHexadecimalEErroDeConversao) {
    for (const QByteArray armazenado : {"", "1", "1A", "ZZ00", "10ZZ", "10G", "100B1Z", " 100B", "10-1"}) {
        SCOPED_TRACE(armazenado.toStdString());
        EXPECT_THROW(Codificar("D", armazenado, Chave), Erro);
    }
}

TEST(Cifra, ModoDiferenteDeEeDDaTextoVazio) {
    for (const QByteArray modo : {"e", "d", "", "X", "EE", "D "}) {
        SCOPED_TRACE(modo.toStdString());
        EXPECT_EQ(Codificar(modo, "100B18", Chave), QByteArray());
        EXPECT_EQ(Codificar(modo, "Z", Chave), QByteArray());
    }
}

TEST(Cifra, ChaveVaziaERecusadaQuandoPrecisaDeUmCaractere) {
    EXPECT_EQ(Codificar("E", "", "").size(), 2);
    EXPECT_THROW(Codificar("E", "a", ""), Erro);
    EXPECT_THROW(Codificar("D", "100B", ""), Erro);
}

TEST(Cifra, DecodificarSenha) {
    // Blank texts never reach the cipher, which would refuse them.
    for (const QByteArray branco : {"", " ", "   ", "\t \r\n", "\x01\x1F"}) {
        EXPECT_EQ(DecodificarSenha(branco, Chave), QByteArray());
    }
    EXPECT_EQ(DecodificarSenha("100B18", Chave), "AB");
    // The stored text goes to the cipher untrimmed.
    EXPECT_THROW(DecodificarSenha(" 100B18", Chave), Erro);
    EXPECT_THROW(DecodificarSenha("xyz", Chave), Erro);
}

TEST(SepararPorta, Casos) {
    const struct {
        QString endereco;
        QString host;
        int porta;
    } casos[] = {
        {"servidor", "servidor", 3306},
        {"servidor:3307", "servidor", 3307},
        {"servidor:", "servidor", 3306},
        {"servidor:abc", "servidorabc", 3306},
        {"servidor:33x06", "servidorx06", 33},
        {"host:1:2", "host:1:2", 12},        // ":12" does not occur, so nothing is removed
        {"h:33:33", "h:33:33", 3333},
        {"a:b:c", "abc", 3306},              // no port: every colon goes
        {"servidor:99999999999", "servidor", 3306},
        {"servidor:2147483647", "servidor", 2147483647},
        {"servidor:2147483648", "servidor", 3306},
        {"10.0.0.1:0", "10.0.0.1", 0},
        {"10.0.0.1:007", "10.0.0.1", 7},
        {":3307", "", 3307},
        {"", "", 3306},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.endereco.toStdString());
        QString host = "lixo";
        int porta = -5;
        TConfiguraConexaoBase::SepararPorta(c.endereco, host, porta);
        EXPECT_EQ(host, c.host);
        EXPECT_EQ(porta, c.porta);
    }
}

TEST(CaminhoConfiguracao, NomesSemPastaFicamNaPastaDeConfiguracao) {
    const PastaConfiguracaoTeste pasta;
    const struct {
        QString nome;
        QString caminho;
    } casos[] = {
        {"", pasta.caminho() + "sistema_zuv.ini"},
        {"outro.ini", pasta.caminho() + "outro.ini"},
        {"C:outro.ini", "C:outro.ini"},
        {"C:\\erp\\sistema.ini", "C:\\erp\\sistema.ini"},
        {"sub\\outro.ini", "sub\\outro.ini"},
        {"sub/outro.ini", "sub/outro.ini"},
        {"/etc/erp/sistema.ini", "/etc/erp/sistema.ini"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome.toStdString());
        EXPECT_EQ(TDao::CaminhoConfiguracao(c.nome), c.caminho);
    }
}

TEST(TextoDasLinhas, CadaLinhaTerminaEmCrLf) {
    EXPECT_EQ(TextoDasLinhas({}), QString());
    EXPECT_EQ(TextoDasLinhas({"a"}), "a\r\n");
    EXPECT_EQ(TextoDasLinhas({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

}  // namespace

int main(int c, char** v) {
    QCoreApplication a(c, v);
    ::testing::InitGoogleTest(&c, v);
    return RUN_ALL_TESTS();
}
