#include "Cp1252.h"
#include "Erro.h"
#include "Money.h"
#include "Pastas.h"
#include "Texto.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr qint64 kMaximo = std::numeric_limits<qint64>::max();

// ---------------------------------------------------------------- Windows-1252

TEST(Cp1252, TodoByteSobreviveAIdaEVoltaPorQString) {
    QByteArray todos;
    for (int b = 0; b < 256; ++b)
        todos.append(char(b));
    const QString texto = cp1252::decodificar(todos);
    ASSERT_EQ(texto.size(), 256);
    EXPECT_EQ(cp1252::codificar(texto), todos);
}

TEST(Cp1252, DecodificaAsDiferencasDoLatin1) {
    struct Caso { unsigned char byte; char16_t esperado; };
    const Caso casos[] = {
        {0x41, u'A'},    {0x80, u'€'},    {0x8A, u'Š'},    {0x96, u'–'},    {0x97, u'—'},
        {0x99, u'™'},    {0x9F, u'Ÿ'},    {0xA0, 0x00A0},  {0xE7, u'ç'},    {0xFF, u'ÿ'},
        // Undefined in the code page: the C1 control of the same value.
        {0x81, 0x0081},  {0x8D, 0x008D},  {0x8F, 0x008F},  {0x90, 0x0090},  {0x9D, 0x009D},
    };
    for (const Caso& c : casos) {
        const QString texto = cp1252::decodificar(QByteArray(1, char(c.byte)));
        ASSERT_EQ(texto.size(), 1) << int(c.byte);
        EXPECT_EQ(texto[0].unicode(), c.esperado) << "byte " << int(c.byte);
    }
}

TEST(Cp1252, CodificaUmBytePorCaractereEInterrogacaoParaOQueFalta) {
    struct Caso { QString texto; QByteArray esperado; };
    const Caso casos[] = {
        {u"Farmácia São João"_qs, "Farm\xE1" "cia S\xE3o Jo\xE3o"},
        {u"€ 10 – “ok” …"_qs, "\x80 10 \x96 \x93ok\x94 \x85"},
        {u"a中b"_qs, "a?b"},
        // A character beyond the BMP is a surrogate pair in QString but one character to the file.
        {u"x😀y"_qs, "x?y"},
        {u"😀😀"_qs, "??"},
        {QString(QChar(0xD800)) + u"z"_qs, "?z"},       // lone high surrogate
        {QString(QChar(0xDC00)) + u"z"_qs, "?z"},       // lone low surrogate
        {QString(QChar(0x0080)), "?"},               // a C1 control whose byte means '€'
        {QString(QChar(0x009F)), "?"},
        {QString(QChar(0x0081)), "\x81"},            // an undefined byte's stand-in goes back
        {u"Ā"_qs, "?"},
        {QString(), QByteArray()},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(cp1252::codificar(c.texto), c.esperado) << c.texto.toStdString();
}

TEST(Cp1252, TodoCaractereCodificavelVoltaIgual) {
    for (char32_t u = 0; u <= 0xFFFF; ++u) {
        const QChar c{char16_t(u)};
        if (c.isSurrogate())
            continue;
        const QByteArray byte = cp1252::codificar(QString(c));
        ASSERT_EQ(byte.size(), 1);
        if (byte != "?")
            EXPECT_EQ(cp1252::decodificar(byte), QString(c)) << "U+" << std::hex << unsigned(u);
    }
}

// ---------------------------------------------------------------- Money

TEST(Money, LeTextoDecimalExatamente) {
    struct Caso { const char* texto; qint64 escalado; };
    const Caso casos[] = {
        {"0", 0},
        {"150", 1500000},
        {"30.75", 307500},
        {"-12.3456", -123456},
        {"+1.5", 15000},
        {"00012.10", 121000},
        {"-0", 0},
        {"0.0001", 1},
        // Beyond four decimals: half away from zero, decided by the fifth decimal.
        {"12.34565", 123457},
        {"12.34564999", 123456},
        {"-12.34565", -123457},
        {"-12.34564", -123456},
        {"0.00005", 1},
        {"-0.00005", -1},
        {"0.00004999", 0},
        {"1.99995", 20000},
        {"9.99999999", 100000},
        {"922337203685477.5807", kMaximo},
        {"-922337203685477.5807", -kMaximo},
        {"922337203685477.58074", kMaximo},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(Money::deTexto(QString::fromLatin1(c.texto)).escalado(), c.escalado) << c.texto;
}

TEST(Money, RecusaTextoQueNaoEhNumeroDecimal) {
    const char* const casos[] = {
        "", "-", "+", "abc", "12a", "1,5", "1.", ".5", " 1", "1 ", "1e3", "1.2.3", "--1", "+-1",
        "0x10", "١٢",
        // Too large for the amount times 10000, also when only the rounding pushes it over.
        "922337203685477.5808", "922337203685477.58075", "99999999999999999999", "-922337203685477.5808",
    };
    for (const char* texto : casos) {
        const QString t = QString::fromUtf8(texto);
        EXPECT_THROW(Money::deTexto(t), Erro) << texto;
    }
}

TEST(Money, ErroDeTextoInvalidoMostraOTexto) {
    try {
        Money::deTexto(u"12,50"_qs);
        FAIL() << "no error";
    } catch (const Erro& e) {
        EXPECT_TRUE(e.texto().contains(u"12,50"_qs)) << e.texto().toStdString();
    }
}

TEST(Money, CentavosTruncamEmDirecaoAoZero) {
    struct Caso { const char* texto; qint64 centavos; };
    const Caso casos[] = {
        {"12.345", 1234}, {"0.999", 99}, {"-1.239", -123}, {"-0.009", 0},
        {"30.75", 3075}, {"0.0099", 0}, {"-30.7599", -3075},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(Money::deTexto(QString::fromLatin1(c.texto)).centavos(), c.centavos) << c.texto;
}

TEST(Money, DeVariantComoOBancoEntrega) {
    struct Caso { const char* nome; QVariant valor; qint64 escalado; };
    const Caso casos[] = {
        {"invalid", QVariant(), 0},
        {"typed null text", QVariant(QMetaType::fromType<QString>()), 0},
        {"typed null double", QVariant(QMetaType::fromType<double>()), 0},
        {"decimal text", QVariant(u"-1234.56785"_qs), -12345679},
        {"bytes", QVariant(QByteArray("7.5")), 75000},
        {"int", QVariant(int(-7)), -70000},
        {"uint", QVariant(uint(7)), 70000},
        {"longlong", QVariant(qlonglong(900000000000LL)), 9000000000000000LL},
        {"ulonglong", QVariant(qulonglong(12)), 120000},
        // A double stands for its shortest decimal text: 12.345 is 12.3449999... in binary and
        // must not lose its last 0.0001.
        {"double 12.345", QVariant(12.345), 123450},
        {"double 0.1", QVariant(0.1), 1000},
        {"double -2.675", QVariant(-2.675), -26750},
        {"double 0.00005", QVariant(0.00005), 1},
        {"double 1e-7", QVariant(1e-7), 0},
        {"double 1e10", QVariant(1e10), 100000000000000LL},
        {"float 0.5", QVariant(0.5f), 5000},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(Money::deVariant(c.valor).escalado(), c.escalado) << c.nome;
}

TEST(Money, DeVariantRecusaOQueNaoCabeOuNaoEhValor) {
    struct Caso { const char* nome; QVariant valor; };
    const Caso casos[] = {
        {"garbage text", QVariant(u"abc"_qs)},
        {"empty text", QVariant(u""_qs)},
        {"longlong too large once scaled", QVariant(qlonglong(1000000000000000LL))},
        {"ulonglong above int64", QVariant(qulonglong(std::numeric_limits<qulonglong>::max()))},
        {"nan", QVariant(std::nan(""))},
        {"infinity", QVariant(std::numeric_limits<double>::infinity())},
        {"huge double", QVariant(1e300)},
        {"date", QVariant(QDate(2024, 1, 31))},
    };
    for (const Caso& c : casos)
        EXPECT_THROW(Money::deVariant(c.valor), Erro) << c.nome;
}

TEST(Money, FormatarArredondaMetadeParaLongeDoZero) {
    struct Caso { qint64 escalado; int casas; QChar separador; const char* esperado; };
    const Caso casos[] = {
        {307500, 2, u',', "30,75"},
        {-307500, 2, u',', "-30,75"},
        {123450, 2, u'.', "12.35"},
        {-123450, 2, u'.', "-12.35"},
        {123449, 2, u'.', "12.34"},
        {-123449, 2, u'.', "-12.34"},
        {99950, 2, u',', "10,00"},
        {-40, 2, u',', "0,00"},        // rounds to zero: no minus sign
        {-50, 2, u',', "-0,01"},
        {5000, 0, u',', "1"},
        {-5000, 0, u',', "-1"},
        {4999, 0, u',', "0"},
        {123456, 4, u',', "12,3456"},
        {123456, 3, u',', "12,346"},
        {123456, 1, u',', "12,3"},
        {123456, 6, u',', "12,345600"},
        {7, 4, u',', "0,0007"},
        {-7, 4, u',', "-0,0007"},
        {0, 2, u',', "0,00"},
        {kMaximo, 2, u'.', "922337203685477.58"},
        {std::numeric_limits<qint64>::min(), 4, u'.', "-922337203685477.5808"},
        {std::numeric_limits<qint64>::min(), 0, u'.', "-922337203685478"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(Money::deEscalado(c.escalado).formatar(c.casas, c.separador), QString::fromLatin1(c.esperado))
            << c.escalado << " with " << c.casas;
}

TEST(Money, SomaEComparacaoSaoExatas) {
    Money soma;
    for (int i = 0; i < 10; ++i)
        soma += Money::deTexto(u"0.1"_qs);
    EXPECT_EQ(soma, Money::deTexto(u"1"_qs));
    EXPECT_LT(Money::deTexto(u"-0.0001"_qs), Money());
    EXPECT_EQ(Money::deTexto(u"1.5"_qs) + Money::deTexto(u"-2.25"_qs), Money::deEscalado(-7500));
}

// ---------------------------------------------------------------- Text helpers

TEST(Texto, SomenteNumerosGuardaSoOsDigitosAscii) {
    struct Caso { QString texto; QString esperado; };
    const Caso casos[] = {
        {u"12.345.678/0001-90"_qs, u"12345678000190"_qs},
        {u"../-"_qs, QString()},
        {u"a1b2c3"_qs, u"123"_qs},
        {u"١٢٣ ²³ ５"_qs, QString()},   // other scripts' digits are not "0" to "9"
        {QString(), QString()},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(SomenteNumeros(c.texto), c.esperado) << c.texto.toStdString();
}

TEST(Texto, ApararTiraControlesEBrancosDasPontas) {
    struct Caso { QString texto; QString esperado; };
    const Caso casos[] = {
        {u"  a b  "_qs, u"a b"_qs},
        {u"\t\r\n x \x01\x1F"_qs, u"x"_qs},
        {u"\x7F" "x"_qs, u"\x7F" "x"_qs},
        {u"\u00A0x\u00A0"_qs, u"\u00A0x\u00A0"_qs},  // no-break space is code 160
        {u" \t "_qs, QString()},
        {QString(), QString()},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(Aparar(c.texto), c.esperado) << c.texto.toStdString();
        EXPECT_EQ(EmBranco(c.texto), c.esperado.isEmpty()) << c.texto.toStdString();
    }
}

TEST(Texto, ApararDeBytesTrataBytesAltosComoCaracteres) {
    struct Caso { QByteArray texto; QByteArray esperado; };
    const Caso casos[] = {
        {" \tabc\r\n", "abc"},
        {"\xA0" "x" "\xE7 ", "\xA0" "x" "\xE7"},  // bytes above 127 are text, not blanks
        {"\x80\x81", "\x80\x81"},
        {QByteArray("\0 a \0", 5), "a"},
        {"   ", ""},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(Aparar(c.texto), c.esperado) << c.texto.toHex().toStdString();
}

// ---------------------------------------------------------------- Folders

TEST(Pastas, SeparadorFinal) {
    const QString sep = QDir::separator();
    struct Caso { QString caminho; bool termina; };
    const Caso casos[] = {
        {u"/tmp/x/"_qs, true},
        {u"/tmp/x"_qs, false},
        {QString(), false},
        {u"pasta"_qs + sep, true},
#ifdef Q_OS_WIN
        {u"C:\\Saida\\"_qs, true},
        {u"C:\\Saida/"_qs, true},
#else
        {u"/tmp/x\\"_qs, false},
#endif
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(TerminaComSeparador(c.caminho), c.termina) << c.caminho.toStdString();
        EXPECT_EQ(ComSeparadorFinal(c.caminho), c.termina ? c.caminho : c.caminho + sep)
            << c.caminho.toStdString();
    }
}

TEST(Pastas, PastaConfiguracaoPadraoEDefinida) {
    const QString padrao = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator();
    EXPECT_EQ(PastaConfiguracao(), padrao);

    const QString outra = QDir::toNativeSeparators(QDir::tempPath() + u"/quelvar"_qs);
    DefinirPastaConfiguracao(outra);
    EXPECT_EQ(PastaConfiguracao(), outra + QDir::separator());
    DefinirPastaConfiguracao(outra + QDir::separator());
    EXPECT_EQ(PastaConfiguracao(), outra + QDir::separator());

    DefinirPastaConfiguracao(QString());
    EXPECT_EQ(PastaConfiguracao(), padrao);
}

// ---------------------------------------------------------------- Errors

TEST(Erro, WhatEhOTextoEmUtf8) {
    const QString texto = u"Não foi possível gravar “Saída”"_qs;
    const ErroBanco erro(texto);
    const std::exception& base = erro;
    EXPECT_EQ(erro.texto(), texto);
    EXPECT_STREQ(base.what(), texto.toUtf8().constData());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
