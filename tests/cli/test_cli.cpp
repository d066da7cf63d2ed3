// exportacao-quelvar run as a process, as a scheduler runs it: exit code and the texts on its
// two streams for each kind of outcome, against the export fixture database.

#include "BancoTeste.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Readable failure messages.
inline void PrintTo(const QString& texto, std::ostream* os) { *os << '"' << texto.toStdString() << '"'; }

namespace {

BancoTeste* fixture = nullptr;

const QString kSemCnpj =
    QStringLiteral(" Acesse \"Configurações ->  Configurações gerais\" e selecione o CNPJ da matriz.\n");
const QString kSemDiretorio = QStringLiteral(
    " Acesse \"Configurações ->  Configurações gerais\" e selecione o diretório onde será gerado o arquivo.\n");
const QString kComGerado = QStringLiteral("Arquivo \"COM RECEITA\" gerado com sucesso.\n");
const QString kSemGerado = QStringLiteral("Arquivo \"SEM RECEITA\" gerado com sucesso.\n");
const QString kComVazio = QStringLiteral("Arquivo \"COM RECEITA\" não gerado. Dados não encontrados para a seleção.\n");
const QString kSemVazio = QStringLiteral("Arquivo \"SEM RECEITA\" não gerado. Dados não encontrados para a seleção.\n");
const QString kComMarco = QStringLiteral("PROMED - COM RECEITA_032024.TXT");
const QString kSemMarco = QStringLiteral("PROFARM - SEM RECEITA_032024.TXT");
const QStringList kMarco = {"--de", "2024-03-01", "--ate", "2024-03-31"};
const QString kRelComMarco = QStringLiteral("Relatório PROMED - COM RECEITA_032024.");
const QString kRelSemMarco = QStringLiteral("Relatório PROFARM - SEM RECEITA_032024.");
const QString kPeriodoMarco = QStringLiteral("Período: 01/03/2024 até 31/03/2024");

struct Saida {
    int codigo = -1;
    QString saida;
    QString erro;
};

Saida executar(const QStringList& argumentos) {
    QProcess processo;
    processo.start(QStringLiteral(QUELVAR_CLI), argumentos);
    EXPECT_TRUE(processo.waitForFinished(120000));
    EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit);
    return {processo.exitCode(), QString::fromUtf8(processo.readAllStandardOutput()),
            QString::fromUtf8(processo.readAllStandardError())};
}

QByteArray ler(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What a reader program prints for the file.
QByteArray lerCom(const QString& programa, const QStringList& argumentos) {
    QProcess processo;
    processo.start(programa, argumentos);
    EXPECT_TRUE(processo.waitForFinished(60000)) << programa.toStdString();
    EXPECT_EQ(processo.exitCode(), 0) << programa.toStdString() << ": " << processo.readAllStandardError().toStdString();
    return processo.readAllStandardOutput();
}

// The texts of a report as a reader of its format finds them.
QString textoPdf(const QString& caminho) { return QString::fromUtf8(lerCom("pdftotext", {caminho, "-"})); }
QString textoXlsx(const QString& caminho) {
    EXPECT_FALSE(lerCom("unzip", {"-p", caminho, "xl/workbook.xml"}).isEmpty());
    return QString::fromUtf8(lerCom("unzip", {"-p", caminho, "xl/sharedStrings.xml"}));
}
QString textoDocx(const QString& caminho) { return QString::fromUtf8(lerCom("unzip", {"-p", caminho, "word/document.xml"})); }
// The accented letters of these reports have the same byte in Windows-1252 and in Latin-1; a
// file in UTF-8 would read as "RelatÃ³rio" here.
QString textoTxt(const QString& caminho) { return QString::fromLatin1(ler(caminho)); }

// A settings folder for one run: sistema_zuv.ini for a database, ExportacaoQuelvar.ini as given
// ("{SAIDA}" stands for an empty output folder of the run).
struct Ambiente {
    PastaConfiguracaoTeste configuracao;
    QTemporaryDir saida;

    explicit Ambiente(const QString& exportacaoIni, const QString& banco = fixture->nome()) {
        configuracao.escreverSistemaZuv(banco);
        if (!exportacaoIni.isEmpty())
            configuracao.escreverArquivo("ExportacaoQuelvar.ini", QString(exportacaoIni).replace("%1", pastaSaida()).toLatin1());
    }
    QString pastaSaida() const { return QDir::toNativeSeparators(saida.path()); }
    QString arquivo(const QString& nome) const { return QDir(saida.path()).filePath(nome); }
    QStringList arquivos() const { return QDir(saida.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot); }
    Saida executar(QStringList argumentos) const {
        return ::executar(QStringList{"gerar", "--pasta", configuracao.caminho()} + argumentos);
    }
};

const QString kIniCompleto = QStringLiteral("[CONFIG]\r\nCNPJMatriz=12.345.678/0001-90\r\nDiretorio=%1\r\nEmpresa=10\r\n");

TEST(Uso, HelpAndBadArguments) {
    const Saida ajuda = executar({"--help"});
    EXPECT_EQ(ajuda.codigo, 0);
    EXPECT_TRUE(ajuda.saida.startsWith("Uso: exportacao-quelvar gerar [--empresa N] [--vendas com|sem|ambos]"));
    EXPECT_TRUE(ajuda.saida.contains("[--relatorio pdf|xlsx|docx|txt]"));
    EXPECT_TRUE(ajuda.erro.isEmpty());
    EXPECT_EQ(executar({"gerar", "--vendas", "x", "--help"}).codigo, 0);

    const QStringList erradas[] = {
        {},
        {"exportar"},
        {"gerar", "extra"},
        {"gerar", "--empresa"},
        {"gerar", "--empresa", "abc"},
        {"gerar", "--vendas", "talvez"},
        {"gerar", "--data", "emissao"},
        {"gerar", "--de", "2024-13-01"},
        {"gerar", "--ate", "31/03/2024"},
        {"gerar", "--pasta", ""},
        {"gerar", "--desconhecida"},
        {"gerar", "--relatorio", "odt"},
        {"gerar", "--relatorio"},
    };
    for (const auto& argumentos : erradas) {
        SCOPED_TRACE(argumentos.join(' ').toStdString());
        const Saida s = executar(argumentos);
        EXPECT_EQ(s.codigo, 2);
        EXPECT_TRUE(s.saida.isEmpty());
        EXPECT_TRUE(s.erro.contains("Uso: exportacao-quelvar gerar")) << s.erro.toStdString();
    }
}

TEST(Conexao, RefusedConnectionTextAndExit3) {
    PastaConfiguracaoTeste configuracao;
    configuracao.escreverArquivo("sistema_zuv.ini", "[ip]\r\nlocal=127.0.0.1:1\r\ndatabase=x\r\n");
    const Saida s = executar({"gerar", "--pasta", configuracao.caminho()});
    EXPECT_EQ(s.codigo, 3);
    EXPECT_TRUE(s.saida.isEmpty());
    const QString inicio = QStringLiteral("Erro ao conectar com o banco de dados.\nDescrição do Erro: ");
    EXPECT_TRUE(s.erro.startsWith(inicio)) << s.erro.toStdString();
    EXPECT_GT(s.erro.size(), inicio.size() + 1);
}

struct CasoRecusa {
    const char* nome;
    QString ini;
    QStringList argumentos;
    QString mensagem;  // "%1": the output folder
};

// The main window's checks, in its order and with its texts; exit 1 and no file.
TEST(Validacao, RefusedWithTheMainWindowsMessages) {
    const CasoRecusa casos[] = {
        {"no settings file at all", "", {}, kSemCnpj},
        {"blank CNPJ", "[CONFIG]\r\nCNPJMatriz=   \r\nDiretorio=%1\r\nEmpresa=10\r\n", {}, kSemCnpj},
        {"blank folder", "[CONFIG]\r\nCNPJMatriz=1\r\nDiretorio= \r\nEmpresa=10\r\n", {}, kSemDiretorio},
        {"missing folder", "[CONFIG]\r\nCNPJMatriz=1\r\nDiretorio=%1/nao-existe\r\nEmpresa=10\r\n", {},
         "O Diretório \"%1/nao-existe" + QString(QDir::separator()) +
             "\" não existe,  acesse \"Configurações ->  Configurações gerais\" e selecione o diretório onde será "
             "gerado o arquivo\n"},
        {"default company 45911 not in the list", "[CONFIG]\r\nCNPJMatriz=1\r\nDiretorio=%1\r\n", {},
         "Selecione a Empresa desejada.\n"},
        {"unknown company", kIniCompleto, {"--empresa", "99"}, "Selecione a Empresa desejada.\n"},
        {"deleted company", kIniCompleto, {"--empresa", "30"}, "Selecione a Empresa desejada.\n"},
        {"company with apagado NULL", kIniCompleto, {"--empresa", "40"}, "Selecione a Empresa desejada.\n"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        const Ambiente ambiente(c.ini);
        const Saida s = ambiente.executar(c.argumentos + kMarco);
        EXPECT_EQ(s.codigo, 1);
        EXPECT_TRUE(s.saida.isEmpty());
        EXPECT_EQ(s.erro, c.mensagem.contains("%1") ? c.mensagem.arg(ambiente.pastaSaida()) : c.mensagem);
        EXPECT_TRUE(ambiente.arquivos().isEmpty());
    }
}

struct CasoGeracao {
    const char* nome;
    QStringList argumentos;
    QString saida;
    QStringList arquivos;
};

TEST(Geracao, OneOrTwoRunsAndTheJoinedSummary) {
    const CasoGeracao casos[] = {
        {"with prescription by default", {}, kComGerado, {kComMarco}},
        {"without", {"--vendas", "sem"}, kSemGerado, {kSemMarco}},
        {"both: with first in the summary, without first on disk", {"--vendas", "ambos"}, kComGerado + kSemGerado,
         {kSemMarco, kComMarco}},
        {"nothing found is a success", {"--empresa", "50"}, kComVazio, {}},
        {"both, nothing found", {"--empresa", "50", "--vendas", "ambos"}, kComVazio + "\n" + kSemVazio, {}},
        {"due date", {"--data", "vencimento", "--vendas", "sem"}, kSemGerado, {kSemMarco}},
        {"entry date", {"--data", "lancamento", "--vendas", "com"}, kComGerado, {kComMarco}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        const Ambiente ambiente(kIniCompleto);
        const QByteArray iniAntes = ambiente.configuracao.lerArquivo("ExportacaoQuelvar.ini");
        const Saida s = ambiente.executar(c.argumentos + kMarco);
        EXPECT_EQ(s.codigo, 0);
        EXPECT_EQ(s.saida, c.saida);
        EXPECT_TRUE(s.erro.isEmpty()) << s.erro.toStdString();  // no progress when stderr is no terminal
        EXPECT_EQ(ambiente.arquivos(), c.arquivos);
        EXPECT_EQ(ambiente.configuracao.lerArquivo("ExportacaoQuelvar.ini"), iniAntes);
    }
}

// The date kind comes from TipoData (1 = due date) and the file is the engine's: here the
// due-date selection, whose first coupon was entered in February.
TEST(Geracao, DefaultsFromTheSettingsFile) {
    const Ambiente ambiente(QStringLiteral("[CONFIG]\r\nCNPJMatriz=1\r\nDiretorio=%1\r\nEmpresa=10\r\nTipoData=1\r\n"));
    const Saida s = ambiente.executar(QStringList{"--vendas", "sem"} + kMarco);
    ASSERT_EQ(s.codigo, 0) << s.erro.toStdString();
    const QByteArray arquivo = ler(ambiente.arquivo(kSemMarco));
    EXPECT_EQ(arquivo.mid(65 + 2, 50), "C0007N00000000000ABC-90000557290220240000000000450");
}

TEST(Geracao, DefaultPeriodIsThePreviousMonth) {
    const QDate mesAnterior = QDate::currentDate().addMonths(-1);
    const QString dia = mesAnterior.toString("yyyy-MM-01");
    fixture->executarScript(QStringLiteral(
        "INSERT INTO movment (movment_id, filial_id, numlanc, clientes_id, produto_id) VALUES (100, 1, 9001, 100, 500);\n"
        "INSERT INTO receber (filial_id, numlanc, movment_id, clientes_id, produto_id, empresa_id, datahora,\n"
        "  vencimento, quantidade, valor, valortotal) VALUES (1, 9001, 100, 100, 500, 10, '%1 12:00:00', '%1', 1, 1, 1);\n"
        "INSERT INTO venda_receita (movment_id, filial_id, apagado) VALUES (100, 1, 'N');\n").arg(dia));
    struct Limpar {
        ~Limpar() {
            fixture->executarScript("DELETE FROM venda_receita WHERE movment_id = 100;\n"
                                    "DELETE FROM receber WHERE movment_id = 100;\n"
                                    "DELETE FROM movment WHERE movment_id = 100;\n");
        }
    } limpar;
    const Ambiente ambiente(kIniCompleto);
    const Saida s = ambiente.executar({});
    EXPECT_EQ(s.codigo, 0) << s.erro.toStdString();
    EXPECT_EQ(s.saida, kComGerado);
    EXPECT_EQ(ambiente.arquivos(), QStringList{"PROMED - COM RECEITA_" + mesAnterior.toString("MMyyyy") + ".TXT"});
}

struct CasoFormato {
    const char* formato;
    QByteArray inicio;  // the file's signature
    QString (*texto)(const QString& caminho);
};

// Each format beside the export file, named after it, a real file of its kind holding the
// report of the run: title, period and a coupon of the run.
TEST(Relatorio, EachFormatBesideTheExportFile) {
    const CasoFormato casos[] = {
        {"pdf", "%PDF-", textoPdf},
        {"xlsx", "PK\x03\x04", textoXlsx},
        {"docx", "PK\x03\x04", textoDocx},
        {"txt", "", textoTxt},  // no signature: its text below shows the encoding
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.formato);
        const Ambiente ambiente(kIniCompleto);
        const Saida s = ambiente.executar(QStringList{"--relatorio", c.formato} + kMarco);
        ASSERT_EQ(s.codigo, 0) << s.erro.toStdString();
        const QString nome = kRelComMarco + c.formato;
        EXPECT_EQ(s.saida, kComGerado + QDir::toNativeSeparators(ambiente.arquivo(nome)) + "\n");
        EXPECT_EQ(ambiente.arquivos(), (QStringList{kComMarco, nome}));
        EXPECT_TRUE(ler(ambiente.arquivo(nome)).startsWith(c.inicio));
        const QString texto = c.texto(ambiente.arquivo(nome));
        EXPECT_TRUE(texto.contains("Relatório PROMED")) << texto.toStdString();
        EXPECT_TRUE(texto.contains(kPeriodoMarco)) << texto.toStdString();
        EXPECT_TRUE(texto.contains("Zé Ninguém")) << texto.toStdString();
    }
}

struct CasoRelatorios {
    const char* nome;
    QStringList argumentos;
    QString saida;        // the summary; the report paths follow it
    QStringList arquivos;  // export files and reports, by name
    QStringList relatorios;  // in the order written
    QStringList nomes;        // per report: a beneficiary it must show...
    QStringList ausentes;     // ...and one of the other run it must not
};

// A report only for a run that found coupons, each made from its own run's coupons although
// "ambos" fills the same query twice; the paths follow the summary in the order of the runs.
TEST(Relatorio, OnlyForRunsThatFoundCoupons) {
    const QString semFevereiro = QStringLiteral("Relatório PROFARM - SEM RECEITA_022024.txt");
    const CasoRelatorios casos[] = {
        {"both runs found coupons", QStringList{"--vendas", "ambos"} + kMarco, kComGerado + kSemGerado,
         {kSemMarco, kComMarco, kRelSemMarco + "txt", kRelComMarco + "txt"},
         {kRelSemMarco + "txt", kRelComMarco + "txt"},
         {"Maria Antônia", "Zé Ninguém"},
         {"12345678", "Maria Antônia"}},
        {"both, only the run without prescription found coupons",
         {"--vendas", "ambos", "--de", "2024-02-01", "--ate", "2024-02-29"}, kComVazio + "\n" + kSemGerado,
         {"PROFARM - SEM RECEITA_022024.TXT", semFevereiro},
         {semFevereiro},
         {"Maria Antônia"},
         {"Zé Ninguém"}},
        {"nothing found", QStringList{"--empresa", "50"} + kMarco, kComVazio, {}, {}, {}, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        const Ambiente ambiente(kIniCompleto);
        const Saida s = ambiente.executar(c.argumentos + QStringList{"--relatorio", "txt"});
        ASSERT_EQ(s.codigo, 0) << s.erro.toStdString();
        QString saida = c.saida;
        for (const QString& r : c.relatorios) saida += QDir::toNativeSeparators(ambiente.arquivo(r)) + "\n";
        EXPECT_EQ(s.saida, saida);
        EXPECT_EQ(ambiente.arquivos(), c.arquivos);
        for (qsizetype i = 0; i < c.relatorios.size(); ++i) {
            const QString texto = textoTxt(ambiente.arquivo(c.relatorios[i]));
            EXPECT_TRUE(texto.contains(c.nomes[i])) << texto.toStdString();
            EXPECT_FALSE(texto.contains(c.ausentes[i])) << texto.toStdString();
        }
    }
}

TEST(Falhas, FileAndDatabaseErrorsExit3) {
    {
        SCOPED_TRACE("output file cannot be written");
        const Ambiente ambiente(kIniCompleto);
        ASSERT_TRUE(QDir().mkpath(ambiente.arquivo(kComMarco)));
        const Saida s = ambiente.executar(kMarco);
        EXPECT_EQ(s.codigo, 3);
        EXPECT_TRUE(s.saida.isEmpty());
        EXPECT_TRUE(s.erro.contains(QDir::toNativeSeparators(ambiente.arquivo(kComMarco)))) << s.erro.toStdString();
    }
    {
        SCOPED_TRACE("report file cannot be written");
        const Ambiente ambiente(kIniCompleto);
        const QString relatorio = ambiente.arquivo(kRelComMarco + "pdf");
        ASSERT_TRUE(QDir().mkpath(relatorio));
        const Saida s = ambiente.executar(QStringList{"--relatorio", "pdf"} + kMarco);
        EXPECT_EQ(s.codigo, 3);
        EXPECT_TRUE(s.saida.isEmpty());
        EXPECT_TRUE(s.erro.contains(QDir::toNativeSeparators(relatorio))) << s.erro.toStdString();
    }
    {
        SCOPED_TRACE("database without the branch-code table");
        BancoTeste semCodigos;
        semCodigos.executar("INSERT INTO empresa (empresa_id, nome) VALUES (10, 'Quelvar')");
        const Ambiente ambiente(kIniCompleto, semCodigos.nome());
        const Saida s = ambiente.executar(kMarco);
        EXPECT_EQ(s.codigo, 3);
        EXPECT_TRUE(s.saida.isEmpty());
        EXPECT_TRUE(s.erro.contains("quelvar_config_filial")) << s.erro.toStdString();
    }
}

}  // namespace

int main(int c, char** v) {
    QCoreApplication a(c, v);
    ::testing::InitGoogleTest(&c, v);
    BancoTeste banco;
    QFile sql(QStringLiteral(QUELVAR_FIXTURES_DIR "/exportacao/fixture.sql"));
    if (!sql.open(QIODevice::ReadOnly)) return 2;
    banco.executarScript(QString::fromUtf8(sql.readAll()));
    banco.executar("INSERT INTO empresa (empresa_id, nome, apagado) VALUES (30, 'Apagada', 'S'), (40, 'Sem situação', NULL), "
                  "(50, 'Sem vendas', 'N')");
    fixture = &banco;
    return RUN_ALL_TESTS();
}
