#include "Erro.h"
#include "Ini.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <limits>

namespace {

class Ini : public ::testing::Test {
protected:
    QString caminho(const QString& nome = u"ExportacaoQuelvar.ini"_qs) const { return m_dir.filePath(nome); }

    void escrever(const QByteArray& bytes, const QString& nome = u"ExportacaoQuelvar.ini"_qs) const {
        QFile f(caminho(nome));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QByteArray ler(const QString& nome = u"ExportacaoQuelvar.ini"_qs) const {
        QFile f(caminho(nome));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QStringList conteudoDaPasta() const {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    static QString mensagemDeRecusa(const QString& caminho) {
        return u"Unable to write to "_qs + QDir::toNativeSeparators(caminho);
    }

    QTemporaryDir m_dir;
};

// ---------------------------------------------------------------- reading text

TEST_F(Ini, LeTextoComoOWindows) {
    escrever(
        "; comment line\r\n"
        "Solta=before any section\r\n"
        "[CONFIG]\r\n"
        "Diretorio=C:\\Saida\\\r\n"
        "  cnpjmatriz  =  12345678000190  \r\n"
        "NomeMatriz=\"Farm\xE1" "cia Quelvar\"\r\n"
        "Simples='x'\r\n"
        "Misturadas=\"x'\r\n"
        "SoAspa=\"\r\n"
        "Vazia=\r\n"
        "SemIgual\r\n"
        "Repetida=first\r\n"
        "Repetida=second\r\n"
        "Igual=a=b\r\n"
        "\r\n"
        "  [ Outra ]  \r\n"
        "Diretorio=other section\r\n"
        "[config]\r\n"
        "Extra=in a second section of the same name\r\n");

    struct Caso { const char* secao; const char* chave; QString esperado; };
    const Caso casos[] = {
        {"CONFIG", "Diretorio", u"C:\\Saida\\"_qs},
        {"config", "DIRETORIO", u"C:\\Saida\\"_qs},
        {"CONFIG", "CNPJMatriz", u"12345678000190"_qs},
        {"CONFIG", "NomeMatriz", u"Farmácia Quelvar"_qs},
        {"CONFIG", "Simples", u"x"_qs},
        {"CONFIG", "Misturadas", u"\"x'"_qs},
        {"CONFIG", "SoAspa", u"\""_qs},
        {"CONFIG", "Vazia", QString()},
        {"CONFIG", "SemIgual", u"<default>"_qs},
        {"CONFIG", "Repetida", u"first"_qs},
        {"CONFIG", "Igual", u"a=b"_qs},
        {"CONFIG", "Extra", u"<default>"_qs},
        {"CONFIG", "Solta", u"<default>"_qs},
        {"Outra", "Diretorio", u"other section"_qs},
        {"Nenhuma", "Diretorio", u"<default>"_qs},
    };
    const ArquivoIni ini(caminho());
    for (const Caso& c : casos) {
        EXPECT_EQ(ini.lerTexto(QString::fromLatin1(c.secao), QString::fromLatin1(c.chave), u"<default>"_qs),
                  c.esperado)
            << c.secao << "/" << c.chave;
    }
}

TEST_F(Ini, AceitaFinsDeLinhaLfECrLfEUltimaLinhaSemFim) {
    escrever("[A]\nUm=1\r\nDois=2\nTres=3");
    const ArquivoIni ini(caminho());
    EXPECT_EQ(ini.lerTexto(u"A"_qs, u"Um"_qs, {}), u"1"_qs);
    EXPECT_EQ(ini.lerTexto(u"A"_qs, u"Dois"_qs, {}), u"2"_qs);
    EXPECT_EQ(ini.lerTexto(u"A"_qs, u"Tres"_qs, {}), u"3"_qs);
}

TEST_F(Ini, ArquivoAusenteDaOsPadroes) {
    const ArquivoIni ini(caminho(u"nao_existe.ini"_qs));
    EXPECT_EQ(ini.lerTexto(u"CONFIG"_qs, u"Diretorio"_qs, u"padrao"_qs), u"padrao"_qs);
    EXPECT_EQ(ini.lerInteiro(u"CONFIG"_qs, u"Empresa"_qs, 45911), 45911);
    EXPECT_FALSE(QFile::exists(caminho(u"nao_existe.ini"_qs)));
}

TEST_F(Ini, ValoresSaoCortadosEm2047Caracteres) {
    const QByteArray longo(3000, 'x');
    const QByteArray exato(2047, 'y');
    escrever("[A]\r\nLongo=" + longo + "\r\nExato=" + exato + "\r\nAspas=\"" + longo + "\"\r\n");
    const ArquivoIni ini(caminho());
    EXPECT_EQ(ini.lerTexto(u"A"_qs, u"Longo"_qs, {}), QString(2047, u'x'));
    EXPECT_EQ(ini.lerTexto(u"A"_qs, u"Exato"_qs, {}), QString(2047, u'y'));
    EXPECT_EQ(ini.lerTexto(u"A"_qs, u"Aspas"_qs, {}), QString(2047, u'x'));
}

// ---------------------------------------------------------------- reading integers

TEST_F(Ini, LeInteirosDecimaisEHexadecimais) {
    struct Caso { const char* valor; int esperado; };
    constexpr int kPadrao = 45911;
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const Caso casos[] = {
        {"31", 31}, {"-5", -5}, {"+7", 7}, {"007", 7}, {"0", 0}, {"  42  ", 42},
        {"$1F", 31}, {"$1f", 31}, {"0x1F", 31}, {"0X1f", 31}, {"$0", 0}, {"0x7FFFFFFF", kMax},
        {"2147483647", kMax}, {"-2147483648", kMin},
        // Anything that does not wholly convert, or does not fit, gives the default.
        {"abc", kPadrao}, {"12abc", kPadrao}, {"1.5", kPadrao}, {"1 2", kPadrao}, {"", kPadrao},
        {"-", kPadrao}, {"$", kPadrao}, {"0x", kPadrao}, {"0x1G", kPadrao}, {"$ 1F", kPadrao},
        {"-$1F", kPadrao}, {"$-1", kPadrao}, {"x1F", kPadrao}, {"1F", kPadrao}, {"0b101", kPadrao},
        {"2147483648", kPadrao}, {"-2147483649", kPadrao}, {"$80000000", kPadrao},
        {"$FFFFFFFF", kPadrao}, {"99999999999999999999", kPadrao}, {"$10000000000000000", kPadrao},
        {"٣", kPadrao},
    };
    QByteArray conteudo = "[CONFIG]\r\n";
    for (int i = 0; i < int(std::size(casos)); ++i)
        conteudo += "K" + QByteArray::number(i) + "=" + QByteArray(casos[i].valor) + "\r\n";
    escrever(conteudo);

    const ArquivoIni ini(caminho());
    for (int i = 0; i < int(std::size(casos)); ++i)
        EXPECT_EQ(ini.lerInteiro(u"CONFIG"_qs, u"K"_qs + QString::number(i), kPadrao), casos[i].esperado)
            << "value \"" << casos[i].valor << "\"";
    EXPECT_EQ(ini.lerInteiro(u"CONFIG"_qs, u"Ausente"_qs, kPadrao), kPadrao);
}

// ---------------------------------------------------------------- writing

TEST_F(Ini, GravacaoTrocaSoALinhaDaChave) {
    struct Caso {
        const char* nome;
        QByteArray antes;
        const char* secao;
        const char* chave;
        QString valor;
        QByteArray depois;
    };
    const Caso casos[] = {
        {"no file", "<missing>", "CONFIG", "Empresa", u"45911"_qs, "[CONFIG]\r\nEmpresa=45911\r\n"},
        {"empty file", "", "CONFIG", "Empresa", u"1"_qs, "[CONFIG]\r\nEmpresa=1\r\n"},
        {"replace, spelling of the file kept",
         "; top\r\n[Config]\r\n  empresa = 12 \r\nTipoData=0\r\n", "CONFIG", "Empresa", u"45911"_qs,
         "; top\r\n[Config]\r\nempresa=45911\r\nTipoData=0\r\n"},
        {"only the first key of the first matching section",
         "[C]\r\nK=1\r\nK=2\r\n[c]\r\nK=3\r\n", "c", "k", u"9"_qs,
         "[C]\r\nK=9\r\nK=2\r\n[c]\r\nK=3\r\n"},
        {"new key before the blank lines that end the section",
         "[CONFIG]\r\nA=1\r\n\r\n  \r\n[Outra]\r\nB=2\r\n", "CONFIG", "Novo", u"x"_qs,
         "[CONFIG]\r\nA=1\r\nNovo=x\r\n\r\n  \r\n[Outra]\r\nB=2\r\n"},
        {"new key in a section with only blank lines",
         "[C]\r\n\r\n[D]\r\n", "C", "K", u"v"_qs, "[C]\r\nK=v\r\n\r\n[D]\r\n"},
        {"new key after a last line without line end",
         "[CONFIG]\r\nA=1", "CONFIG", "B", u"2"_qs, "[CONFIG]\r\nA=1\r\nB=2\r\n"},
        {"new key after a header without line end",
         "[CONFIG]", "CONFIG", "B", u"2"_qs, "[CONFIG]\r\nB=2\r\n"},
        {"new section at the end",
         "[X]\r\nA=1\r\n\r\n", "CONFIG", "B", u"2"_qs, "[X]\r\nA=1\r\n\r\n[CONFIG]\r\nB=2\r\n"},
        {"new section after a last line without line end",
         "[X]\r\nA=1", "CONFIG", "B", u"2"_qs, "[X]\r\nA=1\r\n[CONFIG]\r\nB=2\r\n"},
        {"lines ending in LF keep their ends",
         "[C]\nK=1\nJ=2\n", "C", "K", u"9"_qs, "[C]\nK=9\nJ=2\n"},
        {"last line without line end stays so when replaced",
         "[C]\r\nK=1", "C", "K", u"9"_qs, "[C]\r\nK=9"},
        {"Windows-1252 text, '?' where the code page has nothing",
         "", "CONFIG", "NomeMatriz", u"Farmácia “Boa” € 中"_qs,
         "[CONFIG]\r\nNomeMatriz=Farm\xE1" "cia \x93" "Boa\x94 \x80 ?\r\n"},
        {"a line break cannot add lines of its own",
         "[C]\r\nK=1\r\n", "C", "K", u"a\r\n[X]\nb"_qs, "[C]\r\nK=a  [X] b\r\n"},
        {"empty value", "[C]\r\nK=1\r\n", "C", "K", QString(), "[C]\r\nK=\r\n"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        QFile::remove(caminho());
        if (c.antes != "<missing>")
            escrever(c.antes);
        ArquivoIni ini(caminho());
        ini.gravarTexto(QString::fromLatin1(c.secao), QString::fromLatin1(c.chave), c.valor);
        EXPECT_EQ(ler(), c.depois);
    }
}

TEST_F(Ini, GravarMantemCadaByteDasOutrasLinhas) {
    // Odd spacing, comments, mixed line ends, bytes undefined in the code page and a key outside
    // any section: none of it may change when another key is written.
    const QByteArray inicio =
        "\xEF\xBB\xBF; arquivo \x81\x8D\x8F\x90\x9D \xE7\xE3o\r\n"
        "solta = 1\n"
        "\r\n"
        "[CONFIG]   \r\n"
        "Diretorio = C:\\Sa\xED" "da\\  \r\n"
        "\tCNPJMatriz=12345678000190\n"
        "NomeMatriz=\"Farm\xE1" "cia\"\r\n"
        "texto sem igual\r\n";
    const QByteArray fim =
        "\r\n"
        "[Outra]\r\n"
        "Empresa=1\r\n"
        "\x1A";
    escrever(inicio + "Empresa=1\r\n" + fim);

    ArquivoIni ini(caminho());
    ini.gravarInteiro(u"CONFIG"_qs, u"Empresa"_qs, 45911);
    EXPECT_EQ(ler(), inicio + "Empresa=45911\r\n" + fim);
    ini.gravarInteiro(u"CONFIG"_qs, u"TipoData"_qs, 1);
    EXPECT_EQ(ler(), inicio + "Empresa=45911\r\nTipoData=1\r\n" + fim);
}

TEST_F(Ini, LeituraVeOQueAUltimaGravacaoDeixou) {
    ArquivoIni ini(caminho());
    const QString nome = u"Drogaria São José – Matriz"_qs;
    ini.gravarTexto(u"CONFIG"_qs, u"NomeMatriz"_qs, nome);
    ini.gravarInteiro(u"CONFIG"_qs, u"Empresa"_qs, -45911);
    ini.gravarInteiro(u"CONFIG"_qs, u"Minimo"_qs, std::numeric_limits<int>::min());
    EXPECT_EQ(ini.lerTexto(u"config"_qs, u"nomematriz"_qs, {}), nome);
    EXPECT_EQ(ini.lerInteiro(u"CONFIG"_qs, u"Empresa"_qs, 0), -45911);
    EXPECT_EQ(ini.lerInteiro(u"CONFIG"_qs, u"Minimo"_qs, 0), std::numeric_limits<int>::min());
    EXPECT_EQ(ler(), "[CONFIG]\r\nNomeMatriz=Drogaria S\xE3o Jos\xE9 \x96 Matriz\r\nEmpresa=-45911\r\n"
                     "Minimo=-2147483648\r\n");

    ini.gravarTexto(u"CONFIG"_qs, u"NomeMatriz"_qs, u"Outra"_qs);
    EXPECT_EQ(ini.lerTexto(u"CONFIG"_qs, u"NomeMatriz"_qs, {}), u"Outra"_qs);
}

// ---------------------------------------------------------------- refused writes

// Refusals that hold for every user, root included: the operating system cannot make these
// paths into a file.
TEST_F(Ini, GravacaoRecusadaDeixaTudoComoEstava) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"pasta_no_lugar.ini"_qs));
    escrever("conteudo\r\n", u"arquivo.txt"_qs);
    escrever("[CONFIG]\r\nEmpresa=1\r\n", u"somente_leitura.ini"_qs);
    ASSERT_TRUE(QFile::setPermissions(caminho(u"somente_leitura.ini"_qs),
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    const QString casos[] = {
        caminho(u"pasta_ausente/ExportacaoQuelvar.ini"_qs),
        caminho(u"pasta_no_lugar.ini"_qs),
        caminho(u"arquivo.txt/ExportacaoQuelvar.ini"_qs),
        caminho(u"somente_leitura.ini"_qs),
    };
    const QStringList pastaAntes = conteudoDaPasta();
    for (const QString& alvo : casos) {
        SCOPED_TRACE(alvo.toStdString());
        ArquivoIni ini(alvo);
        try {
            ini.gravarInteiro(u"CONFIG"_qs, u"Empresa"_qs, 2);
            ADD_FAILURE() << "write was not refused";
        } catch (const Erro& e) {
            EXPECT_EQ(e.texto(), mensagemDeRecusa(alvo));
        }
    }
    // Nothing created, nothing left behind (no temporary files either), nothing changed.
    EXPECT_EQ(conteudoDaPasta(), pastaAntes);
    EXPECT_TRUE(QFileInfo(caminho(u"pasta_no_lugar.ini"_qs)).isDir());
    EXPECT_EQ(ler(u"arquivo.txt"_qs), "conteudo\r\n");
    EXPECT_EQ(ler(u"somente_leitura.ini"_qs), "[CONFIG]\r\nEmpresa=1\r\n");
    EXPECT_EQ(ArquivoIni(caminho(u"somente_leitura.ini"_qs)).lerInteiro(u"CONFIG"_qs, u"Empresa"_qs, 0), 1);
}

TEST_F(Ini, MensagemDeRecusaTrazOCaminhoCompleto) {
    const QString anterior = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    ArquivoIni ini(u"ausente/x.ini"_qs);
    try {
        ini.gravarTexto(u"A"_qs, u"B"_qs, u"c"_qs);
        ADD_FAILURE() << "write was not refused";
    } catch (const Erro& e) {
        EXPECT_EQ(e.texto(), mensagemDeRecusa(QDir(m_dir.path()).canonicalPath() + u"/ausente/x.ini"_qs));
    }
    QDir::setCurrent(anterior);
}

// A folder without write permission, and a file that cannot be read back: root passes over both,
// so these only run where the permission bits are enforced.
TEST_F(Ini, GravacaoRecusadaPorPermissoesDaPasta) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"protegida"_qs));
    const QString pasta = caminho(u"protegida"_qs);
    escrever("[CONFIG]\r\nEmpresa=1\r\n", u"protegida/ExportacaoQuelvar.ini"_qs);
    escrever("[CONFIG]\r\nEmpresa=1\r\n", u"ilegivel.ini"_qs);
    ASSERT_TRUE(QFile::setPermissions(caminho(u"ilegivel.ini"_qs), QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(pasta, QFile::ReadOwner | QFile::ExeOwner));
    const bool permissoesValem = !QFile(pasta + u"/teste"_qs).open(QIODevice::WriteOnly);
    if (!permissoesValem) {
        QFile::remove(pasta + u"/teste"_qs);
        QFile::setPermissions(pasta, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "this user writes into read-only folders (root): the refusal cannot happen here";
    }

    for (const QString& alvo : {pasta + u"/ExportacaoQuelvar.ini"_qs, caminho(u"ilegivel.ini"_qs)}) {
        SCOPED_TRACE(alvo.toStdString());
        try {
            ArquivoIni(alvo).gravarInteiro(u"CONFIG"_qs, u"TipoData"_qs, 1);
            ADD_FAILURE() << "write was not refused";
        } catch (const Erro& e) {
            EXPECT_EQ(e.texto(), mensagemDeRecusa(alvo));
        }
    }
    QFile::setPermissions(pasta, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(caminho(u"ilegivel.ini"_qs), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(ler(u"protegida/ExportacaoQuelvar.ini"_qs), "[CONFIG]\r\nEmpresa=1\r\n");
    EXPECT_EQ(QDir(pasta).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{u"ExportacaoQuelvar.ini"_qs});
    EXPECT_EQ(ler(u"ilegivel.ini"_qs), "[CONFIG]\r\nEmpresa=1\r\n");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
