// The export run against a small hand-made ERP database (fixture.sql): the files it writes are
// compared byte for byte with files worked out by hand (esperado/), the header's clock masked.

#include "BancoTeste.h"
#include "Referencia.h"
#include "UDados.h"

#include "Erro.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Readable failure messages.
inline void PrintTo(const QString& texto, std::ostream* os) { *os << '"' << texto.toStdString() << '"'; }

namespace {

const QByteArray kMascaraRelogio = "DDMMYYYYHHMM";

BancoTeste* banco = nullptr;

QByteArray ler(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void escrever(const QString& caminho, const QByteArray& conteudo) {
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(conteudo);
}

bool podeCriar(const QString& pasta) {
    QFile sonda(pasta + "/sonda");
    const bool criou = sonda.open(QIODevice::WriteOnly);
    sonda.remove();
    return criou;
}

QStringList arquivosEm(const QString& pasta) {
    return QDir(pasta).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// Remembers what the run did to the gauge.
struct Gauge : IProgresso {
    QList<QString> chamadas;
    int maximo = -1;
    int posicao = -1;
    void DefinirMaximo(int m) override { maximo = m; chamadas << QStringLiteral("max %1").arg(m); }
    void DefinirPosicao(int p) override { posicao = p; chamadas << QStringLiteral("pos %1").arg(p); }
    void Avancar() override { ++posicao; }
};

// A run with a gauge of its own, the caller's query bound to the shared connection.
struct Execucao {
    QSqlQuery consulta{TDadosExportacao::GetConexao()};
    Gauge gauge;
    QString mensagem;
    QDateTime antes;
    QDateTime depois;

    void gerar(const QString& pasta, bool porLancamento, QDate inicio, QDate fim, bool comReceita, int empresa = 10) {
        TDadosExportacao::SetProgresso(&gauge);
        antes = QDateTime::currentDateTime();
        mensagem = TDadosExportacao::GerarArquivo(consulta, pasta, porLancamento, inicio, fim, comReceita, empresa);
        depois = QDateTime::currentDateTime();
        TDadosExportacao::SetProgresso(nullptr);
    }
};

// The file with the header's clock replaced by the mask, after checking that the clock is the
// moment of the run (to the minute).
QByteArray semRelogio(const Execucao& run, QByteArray arquivo) {
    const QDateTime relogio =
        QDateTime::fromString(QString::fromLatin1(arquivo.mid(1, 12)), QStringLiteral("ddMMyyyyhhmm"));
    const auto minuto = [](QDateTime t) { t.setTime(QTime(t.time().hour(), t.time().minute())); return t; };
    EXPECT_TRUE(relogio.isValid()) << arquivo.left(13).toStdString();
    EXPECT_LE(minuto(run.antes), relogio);
    EXPECT_GE(minuto(run.depois), relogio);
    return arquivo.replace(1, 12, kMascaraRelogio);
}

const QString kSemMarco = QStringLiteral("PROFARM - SEM RECEITA_032024.TXT");
const QString kComMarco = QStringLiteral("PROMED - COM RECEITA_032024.TXT");
const QDate kInicioMarco(2024, 3, 1);
const QDate kFimMarco(2024, 3, 31);

struct CasoArquivo {
    const char* esperado;
    bool porLancamento;
    bool comReceita;
    int linhasCupom;  // coupon rows in the caller's query, itemless ones included
};

void PrintTo(const CasoArquivo& caso, std::ostream* os) { *os << caso.esperado; }

class ArquivoGerado : public ::testing::TestWithParam<CasoArquivo> {};

TEST_P(ArquivoGerado, MatchesTheHandMadeFileAndTheKeyedQueries) {
    const CasoArquivo& caso = GetParam();
    QTemporaryDir pasta;
    Execucao run;
    run.gerar(pasta.path(), caso.porLancamento, kInicioMarco, kFimMarco, caso.comReceita);

    const QString nome = caso.comReceita ? kComMarco : kSemMarco;
    EXPECT_EQ(run.mensagem, caso.comReceita ? QStringLiteral("Arquivo \"COM RECEITA\" gerado com sucesso.")
                                            : QStringLiteral("Arquivo \"SEM RECEITA\" gerado com sucesso."));
    EXPECT_EQ(arquivosEm(pasta.path()), QStringList{nome});

    const QByteArray arquivo = ler(pasta.filePath(nome));
    const QByteArray esperado = ler(QStringLiteral(QUELVAR_FIXTURES_DIR "/exportacao/esperado/") + caso.esperado);
    ASSERT_FALSE(esperado.isEmpty());
    EXPECT_EQ(semRelogio(run, arquivo), esperado);

    // The caller's query stays open on the coupon rows, past the last one, for the report.
    EXPECT_TRUE(run.consulta.isActive());
    EXPECT_FALSE(run.consulta.isValid());
    EXPECT_EQ(run.consulta.size(), caso.linhasCupom);
    EXPECT_EQ(run.gauge.chamadas, (QList<QString>{QStringLiteral("max %1").arg(caso.linhasCupom), "pos 0"}));
    EXPECT_EQ(run.gauge.posicao, caso.linhasCupom);

    EXPECT_EQ(ArquivoPorCupom(run.consulta, caso.comReceita, arquivo.left(65)), arquivo);
}

INSTANTIATE_TEST_SUITE_P(Fixture, ArquivoGerado,
                         ::testing::Values(CasoArquivo{"sem_lancamento.TXT", true, false, 5},
                                           CasoArquivo{"com_lancamento.TXT", true, true, 2},
                                           CasoArquivo{"sem_vencimento.TXT", false, false, 5}),
                         [](const auto& info) { return QString::fromLatin1(info.param.esperado).section('.', 0, 0).toStdString(); });

TEST(SemCupons, MessageNoFileAndTheOlderFileUntouched) {
    QTemporaryDir pasta;
    const QByteArray antigo = "an older file\r\n";
    escrever(pasta.filePath(kComMarco), antigo);
    escrever(pasta.filePath(kSemMarco), antigo);

    struct Caso {
        bool comReceita;
        int empresa;
        QString mensagem;
        QString arquivo;
    };
    const Caso casos[] = {
        {true, 20, "Arquivo \"COM RECEITA\" não gerado. Dados não encontrados para a seleção.\r\n", kComMarco},
        {false, 99, "Arquivo \"SEM RECEITA\" não gerado. Dados não encontrados para a seleção.\r\n", kSemMarco},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.arquivo.toStdString());
        Execucao run;
        run.gerar(pasta.path(), true, kInicioMarco, kFimMarco, c.comReceita, c.empresa);
        EXPECT_EQ(run.mensagem, c.mensagem);
        EXPECT_EQ(ler(pasta.filePath(c.arquivo)), antigo);
        EXPECT_EQ(run.consulta.size(), 0);
        EXPECT_TRUE(run.gauge.chamadas.isEmpty());
    }
    EXPECT_EQ(arquivosEm(pasta.path()).size(), 2);

    // Nothing is written, so not even a missing folder matters.
    Execucao run;
    run.gerar(pasta.filePath("missing"), true, kInicioMarco, kFimMarco, true, 20);
    EXPECT_TRUE(run.mensagem.startsWith("Arquivo \"COM RECEITA\" não gerado."));
}

// Lines without a movment row form one coupon row of their own (NULL branch and entry); the
// run writes it nowhere, and a file of such coupons only is a header and an empty trailer.
TEST(CuponsSemItens, HeaderAndZeroTrailer) {
    QTemporaryDir pasta;
    Execucao run;
    run.gerar(pasta.path(), true, QDate(2024, 3, 5), QDate(2024, 3, 6), false);
    EXPECT_EQ(run.mensagem, "Arquivo \"SEM RECEITA\" gerado com sucesso.");
    EXPECT_EQ(run.consulta.size(), 1);
    ASSERT_TRUE(run.consulta.first());
    EXPECT_TRUE(run.consulta.value("filial_id").isNull());
    EXPECT_EQ(run.gauge.posicao, 1);
    const QByteArray arquivo = ler(pasta.filePath(kSemMarco));
    EXPECT_EQ(semRelogio(run, arquivo),
              "H" + kMascaraRelogio + "12345678000190" "Farm\xE1" "cia Quelvar Matriz" + QByteArray(12, ' ') +
                  "002\r\n" "T" + QByteArray(38, '0') + "\r\n");
}

TEST(NomeDoArquivo, MonthOfTheStartDate) {
    struct Caso {
        QDate inicio;
        QDate fim;
        bool comReceita;
        QString nome;
    };
    const Caso casos[] = {
        {QDate(2024, 2, 15), QDate(2024, 3, 14), false, "PROFARM - SEM RECEITA_022024.TXT"},
        {QDate(2024, 3, 15), QDate(2024, 4, 14), true, "PROMED - COM RECEITA_032024.TXT"},
        {QDate(2023, 12, 1), QDate(2024, 3, 31), true, "PROMED - COM RECEITA_122023.TXT"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome.toStdString());
        QTemporaryDir pasta;
        Execucao run;
        run.gerar(pasta.path(), true, c.inicio, c.fim, c.comReceita);
        EXPECT_EQ(arquivosEm(pasta.path()), QStringList{c.nome});
    }
}

TEST(Pasta, WithOrWithoutTrailingSeparatorSameFile) {
    QTemporaryDir base;
    const QString pasta = QDir::toNativeSeparators(base.filePath("saida"));
    ASSERT_TRUE(QDir().mkpath(pasta));
    for (const QString& dada : {pasta, pasta + QDir::separator()}) {
        SCOPED_TRACE(dada.toStdString());
        QFile::remove(QDir(pasta).filePath(kSemMarco));
        Execucao run;
        run.gerar(dada, true, kInicioMarco, kFimMarco, false);
        EXPECT_EQ(arquivosEm(pasta), QStringList{kSemMarco});
        EXPECT_EQ(arquivosEm(base.path()), QStringList{"saida"});
    }
}

// The file is replaced only as a whole: a run that cannot write leaves what was there and
// no partial or temporary file, and says which file it could not write.
TEST(Gravacao, FailureNamesTheFileAndLeavesNoTrace) {
    QTemporaryDir base;
    {
        SCOPED_TRACE("missing folder");
        const QString pasta = QDir::toNativeSeparators(base.filePath("nao-existe"));
        Execucao run;
        try {
            run.gerar(pasta, true, kInicioMarco, kFimMarco, false);
            ADD_FAILURE() << "no error";
        } catch (const Erro& e) {
            EXPECT_TRUE(e.texto().contains(pasta + QDir::separator() + kSemMarco)) << e.texto().toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(pasta));
    }
    {
        SCOPED_TRACE("a folder in the file's place");
        const QString pasta = base.filePath("ocupada");
        ASSERT_TRUE(QDir().mkpath(pasta + "/" + kSemMarco));
        Execucao run;
        EXPECT_THROW(run.gerar(pasta, true, kInicioMarco, kFimMarco, false), Erro);
        EXPECT_EQ(arquivosEm(pasta), QStringList{kSemMarco});
        EXPECT_TRUE(QFileInfo(pasta + "/" + kSemMarco).isDir());
    }
}

TEST(Gravacao, RefusedFolderKeepsTheOlderFile) {
    QTemporaryDir base;
    const QString pasta = base.filePath("protegida");
    ASSERT_TRUE(QDir().mkpath(pasta));
    const QByteArray antigo = "the file of the last run\r\n";
    escrever(pasta + "/" + kSemMarco, antigo);

    // A read-only folder refuses new files to ordinary users; root needs the immutable flag.
    QFile::setPermissions(pasta, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool imutavel = podeCriar(pasta) && QProcess::execute("chattr", {"+i", pasta}) == 0;
    struct Restaurar {
        QString pasta;
        bool imutavel;
        ~Restaurar() {
            if (imutavel) QProcess::execute("chattr", {"-i", pasta});
            QFile::setPermissions(pasta, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        }
    } restaurar{pasta, imutavel};
    if (podeCriar(pasta)) GTEST_SKIP() << "this user can write into any folder";

    Execucao run;
    EXPECT_THROW(run.gerar(pasta, true, kInicioMarco, kFimMarco, false), Erro);
    EXPECT_EQ(ler(pasta + "/" + kSemMarco), antigo);
    EXPECT_EQ(arquivosEm(pasta), QStringList{kSemMarco});
}

// "Ambos": the run with prescription after the one without replaces the caller's rows.
TEST(DuasExecucoes, SecondRunReplacesTheCallersRows) {
    QTemporaryDir pasta;
    Execucao run;
    run.gerar(pasta.path(), true, kInicioMarco, kFimMarco, false);
    EXPECT_EQ(run.consulta.size(), 5);
    run.gerar(pasta.path(), true, kInicioMarco, kFimMarco, true);
    EXPECT_EQ(run.consulta.size(), 2);
    ASSERT_TRUE(run.consulta.first());
    EXPECT_EQ(run.consulta.value("nome_beneficiario").toString(), QStringLiteral("Zé Ninguém"));
    EXPECT_EQ(run.consulta.value("nome_filial").toString(), QStringLiteral("Loja Sem Código"));
    EXPECT_EQ(arquivosEm(pasta.path()), (QStringList{kSemMarco, kComMarco}));
}

TEST(SemGauge, RunsHeadless) {
    QTemporaryDir pasta;
    QSqlQuery consulta(TDadosExportacao::GetConexao());
    TDadosExportacao::SetProgresso(nullptr);
    EXPECT_EQ(TDadosExportacao::GerarArquivo(consulta, pasta.path(), true, kInicioMarco, kFimMarco, true, 10),
              "Arquivo \"COM RECEITA\" gerado com sucesso.");
}

// A statement the server refuses ends the run with the server's text and writes nothing; the
// branch-code table missing (the settings window never opened) is such a case.
TEST(ErroDeBanco, PassesTheServersTextAndWritesNothing) {
    QTemporaryDir pasta;
    banco->executar("RENAME TABLE quelvar_config_filial TO quelvar_config_filial_fora");
    struct Voltar {
        ~Voltar() { banco->executar("RENAME TABLE quelvar_config_filial_fora TO quelvar_config_filial"); }
    } voltar;
    Execucao run;
    try {
        run.gerar(pasta.path(), true, kInicioMarco, kFimMarco, false);
        ADD_FAILURE() << "no error";
    } catch (const ErroBanco& e) {
        EXPECT_TRUE(e.texto().contains("quelvar_config_filial")) << e.texto().toStdString();
    }
    EXPECT_TRUE(arquivosEm(pasta.path()).isEmpty());
}

}  // namespace

int main(int c, char** v) {
    QCoreApplication a(c, v);
    ::testing::InitGoogleTest(&c, v);
    BancoTeste fixture;
    QFile sql(QStringLiteral(QUELVAR_FIXTURES_DIR "/exportacao/fixture.sql"));
    if (!sql.open(QIODevice::ReadOnly)) return 2;
    fixture.executarScript(QString::fromUtf8(sql.readAll()));
    banco = &fixture;

    PastaConfiguracaoTeste configuracao;
    configuracao.escreverSistemaZuv(fixture.nome());
    configuracao.escreverArquivo("ExportacaoQuelvar.ini",
                                 "[CONFIG]\r\nCNPJMatriz=12.345.678/0001-90\r\nNomeMatriz=Farm\xE1" "cia Quelvar Matriz\r\n");
    TDadosExportacao::Conectar();
    return RUN_ALL_TESTS();
}
