// The main window on a small ERP: what it shows when it opens, company synchronisation,
// validation, generations with one and two runs, errors, keys.
#include "BancoTeste.h"
#include "Dialogos.h"
#include "ImpressaoQt.h"
#include "TFPreviewRelatorio.h"
#include "UConfiguracoesQuelvar.h"
#include "UDados.h"
#include "UFMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

const char* Erp = R"(
INSERT INTO empresa VALUES (45911, 'Drogaria Teste', 'N'), (7, 'Farmácia Sete', 'N'), (8, 'Apagada', 'S');
INSERT INTO filial VALUES (1, 'Loja Centro', '11.111.111/0001-11', 'N', 'N');
INSERT INTO clientes VALUES (1, 'Ana Araújo', '123');
INSERT INTO produto VALUES (1, 'M', '789', 'Dipirona');
INSERT INTO movment VALUES (1, 1, 100, 1, 1), (2, 1, 101, 1, 1);
INSERT INTO receber (filial_id, numlanc, movment_id, clientes_id, produto_id, empresa_id, datahora, vencimento,
                     quantidade, valor, valortotal, crm, num_ecf, amort, apagado) VALUES
  (1, 100, 1, 1, 1, 45911, '2024-05-10 10:00:00', '2024-06-10', 1, 10.5, 10.5, '1234', 55, 0, 'N'),
  (1, 101, 2, 1, 1, 45911, '2024-05-11 11:00:00', '2024-06-11', 2, 10, 20, '', 56, 0, 'N');
INSERT INTO venda_receita (movment_id, filial_id, apagado) VALUES (1, 1, 'N');
CREATE TABLE quelvar_config_filial (filial_id INT NOT NULL PRIMARY KEY, codigo_quelvar VARCHAR(20) NOT NULL DEFAULT '');
INSERT INTO quelvar_config_filial VALUES (1, '7');
)";

const QString Sucesso = "Sucesso";
const QString ComGerado = QString::fromUtf8("Arquivo \"COM RECEITA\" gerado com sucesso.");
const QString SemGerado = QString::fromUtf8("Arquivo \"SEM RECEITA\" gerado com sucesso.");
const QString ComVazio =
    QString::fromUtf8("Arquivo \"COM RECEITA\" não gerado. Dados não encontrados para a seleção.\r\n");

// The titles of the report previews, in the order they were shown.
class RegistroPreviews : public QObject {
public:
    QStringList titulos;
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Show)
            if (auto* p = qobject_cast<TFPreviewRelatorio*>(objeto)) titulos << p->windowTitle();
        return false;
    }
};

// One ERP database and one shared connection for the whole program, as in the real process.
struct Ambiente {
    BancoTeste banco;
    PastaConfiguracaoTeste pasta;
    QTemporaryDir saida;
};
Ambiente* ambiente = nullptr;

class JanelaPrincipal : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ambiente = new Ambiente;
        ambiente->banco.executarScript(Erp);
        ambiente->pasta.escreverSistemaZuv(ambiente->banco.nome(), {"[FilialMatriz]", "CodFisica=1"});
        TDadosExportacao::Conectar();
    }
    static void TearDownTestSuite() {
        delete ambiente;
        ambiente = nullptr;
    }

    void SetUp() override {
        for (const QString& arquivo : QDir(ambiente->saida.path()).entryList(QDir::Files))
            QFile::remove(ambiente->saida.filePath(arquivo));
        qApp->installEventFilter(&previews);
        Dialogos::Simular(true);
        Dialogos::Mostradas().clear();
        escreverConfig("");
    }
    void TearDown() override {
        qApp->removeEventFilter(&previews);
        janela.reset();
        for (QWidget* w : QApplication::topLevelWidgets()) delete qobject_cast<TFPreviewRelatorio*>(w);
    }

    static void escreverConfig(const QByteArray& linhas) {
        ambiente->pasta.escreverArquivo("ExportacaoQuelvar.ini", "[CONFIG]\r\n" + linhas);
    }
    static QByteArray configValida() {
        return "CNPJMatriz=12345678000195\r\nNomeMatriz=Matriz\r\nDiretorio=" +
               QDir::toNativeSeparators(ambiente->saida.path()).toLocal8Bit() + "\r\n";
    }
    static QByteArray configGravada() { return ambiente->pasta.lerArquivo("ExportacaoQuelvar.ini"); }

    void abrir() {
        janela = std::make_unique<TFMain>();
        janela->show();
        janela->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
    }
    template <typename T>
    T* controle(const char* nome) {
        T* c = janela->findChild<T*>(nome);
        EXPECT_NE(c, nullptr) << nome;
        return c;
    }
    void periodo(QDate de, QDate ate) {
        controle<QDateEdit>("EditDe")->setDate(de);
        controle<QDateEdit>("EditAte")->setDate(ate);
    }
    void gerar() { controle<QPushButton>("btnGerar")->click(); }

    QStringList previewsMostrados() const { return previews.titulos; }
    RegistroPreviews previews;

    std::unique_ptr<TFMain> janela;
};

TEST(PeriodoProposto, MesAnteriorInteiro) {
    struct Caso {
        QDate hoje, de, ate;
    } casos[] = {
        {QDate(2025, 1, 10), QDate(2024, 12, 1), QDate(2024, 12, 31)},
        {QDate(2024, 3, 31), QDate(2024, 2, 1), QDate(2024, 2, 29)},
        {QDate(2023, 3, 31), QDate(2023, 2, 1), QDate(2023, 2, 28)},
        {QDate(2024, 7, 1), QDate(2024, 6, 1), QDate(2024, 6, 30)},
    };
    for (const Caso& c : casos) {
        const auto [de, ate] = PeriodoMesAnterior(c.hoje);
        EXPECT_EQ(de, c.de) << c.hoje.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(ate, c.ate) << c.hoje.toString(Qt::ISODate).toStdString();
    }
}

TEST_F(JanelaPrincipal, AoAbrirSemArquivoDeConfiguracao) {
    ambiente->pasta.escreverArquivo("ExportacaoQuelvar.ini", "");
    abrir();
    EXPECT_EQ(janela->windowTitle(), QString::fromUtf8("Exportação Quelvar"));
    EXPECT_EQ(controle<QLabel>("lblDataBase")->text(),
              QString::fromUtf8("Conectado à ") + ambiente->banco.nome() + " em (" + ServidorTeste::host() + ")");
    EXPECT_EQ(controle<QLabel>("lblFilial")->text(), "Filial: 1 - Loja Centro (11.111.111/0001-11)");
    EXPECT_EQ(controle<QLineEdit>("EditEmpresa")->text(), "45911");
    EXPECT_EQ(controle<QComboBox>("cmbEmpresa")->currentText(), "Drogaria Teste");
    EXPECT_TRUE(controle<QRadioButton>("rdDataLancamento")->isChecked());
    EXPECT_TRUE(controle<QRadioButton>("rdComReceita")->isChecked());
    const auto [de, ate] = PeriodoMesAnterior(QDate::currentDate());
    EXPECT_EQ(controle<QDateEdit>("EditDe")->date(), de);
    EXPECT_EQ(controle<QDateEdit>("EditAte")->date(), ate);
    EXPECT_FALSE(controle<QWidget>("pnlProgress")->isVisible());
    // Deleted companies are not listed.
    EXPECT_EQ(controle<QComboBox>("cmbEmpresa")->count(), 2);
    EXPECT_TRUE(Dialogos::Mostradas().isEmpty());
}

TEST_F(JanelaPrincipal, RestauraEmpresaETipoDeData) {
    struct Caso {
        QByteArray linhas;
        const char* empresa;
        const char* nome;
        bool vencimento;
    } casos[] = {
        {"Empresa=7\r\nTipoData=1\r\n", "7", "Farmácia Sete", true},
        {"Empresa=0x7\r\nTipoData=2\r\n", "7", "Farmácia Sete", false},
        {"Empresa=abc\r\nTipoData=0\r\n", "45911", "Drogaria Teste", false},
        {"Empresa=999\r\n", "999", "", false},
    };
    for (const Caso& c : casos) {
        escreverConfig(c.linhas);
        abrir();
        EXPECT_EQ(controle<QLineEdit>("EditEmpresa")->text(), c.empresa);
        EXPECT_EQ(controle<QComboBox>("cmbEmpresa")->currentText(), QString::fromUtf8(c.nome));
        EXPECT_EQ(controle<QRadioButton>("rdDataVencimento")->isChecked(), c.vencimento);
        EXPECT_EQ(controle<QRadioButton>("rdDataLancamento")->isChecked(), !c.vencimento);
    }
}

TEST_F(JanelaPrincipal, SincronizaEmpresaNosDoisSentidos) {
    abrir();
    auto* edit = controle<QLineEdit>("EditEmpresa");
    auto* combo = controle<QComboBox>("cmbEmpresa");

    edit->clear();
    QTest::keyClicks(edit, "7");
    EXPECT_EQ(combo->currentText(), QString::fromUtf8("Farmácia Sete"));

    QTest::keyClicks(edit, "7");  // 77: no such company, the combo shows nothing
    EXPECT_EQ(combo->currentIndex(), -1);

    const int drogaria = combo->findText("Drogaria Teste");
    combo->setCurrentIndex(drogaria);
    emit combo->activated(drogaria);
    EXPECT_EQ(edit->text(), "45911");
}

TEST_F(JanelaPrincipal, ValidacaoEmOrdemComFoco) {
    abrir();
    const QString acesse = QString::fromUtf8(" Acesse \"Configurações ->  Configurações gerais\" e selecione ");
    const QString inexistente = ambiente->saida.filePath("nao-existe");
    struct Passo {
        QByteArray config;
        QString empresa;
        QString mensagem;
        const char* foco;
    } passos[] = {
        {"Diretorio=" + inexistente.toLocal8Bit() + "\r\n", "45911", acesse + "o CNPJ da matriz.", "btnConfiguracoes"},
        {"CNPJMatriz= \t\r\nDiretorio=x\r\n", "45911", acesse + "o CNPJ da matriz.", "btnConfiguracoes"},
        {"CNPJMatriz=12345678000195\r\n", "45911",
         acesse + QString::fromUtf8("o diretório onde será gerado o arquivo."), "btnConfiguracoes"},
        {"CNPJMatriz=12345678000195\r\nDiretorio=" + QDir::toNativeSeparators(inexistente).toLocal8Bit() + "\r\n",
         "45911",
         QString::fromUtf8("O Diretório \"") + QDir::toNativeSeparators(inexistente) + QDir::separator() +
             QString::fromUtf8("\" não existe,  acesse \"Configurações ->  Configurações gerais\" e selecione o "
                               "diretório onde será gerado o arquivo"),
         "btnConfiguracoes"},
        {configValida(), "999", "Selecione a Empresa desejada.", "cmbEmpresa"},
    };
    for (const Passo& p : passos) {
        escreverConfig(p.config);
        controle<QLineEdit>("EditEmpresa")->setText(p.empresa);
        controle<QLineEdit>("EditEmpresa")->setFocus();
        Dialogos::Mostradas().clear();
        gerar();
        ASSERT_EQ(Dialogos::Mostradas().size(), 1) << p.mensagem.toStdString();
        EXPECT_EQ(Dialogos::Mostradas().first().texto, p.mensagem);
        EXPECT_EQ(Dialogos::Mostradas().first().titulo, QString::fromUtf8("Atenção"));
        EXPECT_EQ(Dialogos::Mostradas().first().icone, Dialogos::Icone::Aviso);
        EXPECT_EQ(QApplication::focusWidget(), controle<QWidget>(p.foco)) << p.foco;
        // A refused generation writes nothing.
        EXPECT_FALSE(configGravada().contains("Empresa=")) << p.mensagem.toStdString();
    }
}

TEST_F(JanelaPrincipal, ComReceitaSemCuponsAvisaESalvaConfiguracoes) {
    escreverConfig(configValida());
    abrir();
    controle<QRadioButton>("rdDataVencimento")->setChecked(true);
    periodo(QDate(2024, 1, 1), QDate(2024, 1, 31));
    gerar();

    ASSERT_EQ(Dialogos::Mostradas().size(), 1);
    EXPECT_EQ(Dialogos::Mostradas().first().texto, ComVazio);
    EXPECT_EQ(Dialogos::Mostradas().first().titulo, Sucesso);
    EXPECT_EQ(Dialogos::Mostradas().first().icone, Dialogos::Icone::Informacao);
    EXPECT_TRUE(previewsMostrados().isEmpty());
    EXPECT_FALSE(controle<QWidget>("pnlProgress")->isVisible());
    const QByteArray gravada = configGravada();
    EXPECT_TRUE(gravada.contains("Empresa=45911\r\n"));
    EXPECT_TRUE(gravada.contains("TipoData=1\r\n"));
    EXPECT_TRUE(gravada.startsWith("[CONFIG]\r\n" + configValida()));  // other lines kept
}

TEST_F(JanelaPrincipal, AmbosComCuponsNasDuasExecucoes) {
    escreverConfig(configValida());
    abrir();
    controle<QRadioButton>("rdAmbos")->setChecked(true);
    periodo(QDate(2024, 5, 1), QDate(2024, 5, 31));
    gerar();

    ASSERT_EQ(Dialogos::Mostradas().size(), 1);
    EXPECT_EQ(Dialogos::Mostradas().first().texto, ComGerado + "\r\n" + SemGerado);
    EXPECT_EQ(previewsMostrados(),
              QStringList({QString::fromUtf8("Relatório PROMED"), QString::fromUtf8("Relatório PROFARM")}));
    EXPECT_TRUE(QFileInfo::exists(ambiente->saida.filePath("PROMED - COM RECEITA_052024.TXT")));
    EXPECT_TRUE(QFileInfo::exists(ambiente->saida.filePath("PROFARM - SEM RECEITA_052024.TXT")));
    EXPECT_TRUE(configGravada().contains("TipoData=0\r\n"));
}

TEST_F(JanelaPrincipal, AmbosSoComCuponsSemReceita) {
    ambiente->banco.executar("update venda_receita set apagado = 'S'");
    escreverConfig(configValida());
    abrir();
    controle<QRadioButton>("rdAmbos")->setChecked(true);
    periodo(QDate(2024, 5, 1), QDate(2024, 5, 31));
    gerar();
    ambiente->banco.executar("update venda_receita set apagado = 'N'");

    ASSERT_EQ(Dialogos::Mostradas().size(), 1);
    // The prescription run's text ends with a line break: an empty line stands between the two.
    EXPECT_EQ(Dialogos::Mostradas().first().texto, ComVazio + "\r\n" + SemGerado);
    // The PROMED preview opens all the same, with no coupon rows, before the PROFARM one.
    EXPECT_EQ(previewsMostrados(),
              QStringList({QString::fromUtf8("Relatório PROMED"), QString::fromUtf8("Relatório PROFARM")}));
}

TEST_F(JanelaPrincipal, ErroDuranteAGeracao) {
    escreverConfig(configValida());
    abrir();
    periodo(QDate(2024, 5, 1), QDate(2024, 5, 31));
    ambiente->banco.executar("rename table receber to receber_fora");
    gerar();
    ambiente->banco.executar("rename table receber_fora to receber");

    ASSERT_EQ(Dialogos::Mostradas().size(), 1);
    const Dialogos::Mensagem& m = Dialogos::Mostradas().first();
    EXPECT_EQ(m.icone, Dialogos::Icone::Erro);
    EXPECT_EQ(m.titulo, QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    EXPECT_TRUE(m.texto.contains("receber")) << m.texto.toStdString();
    EXPECT_FALSE(controle<QWidget>("pnlProgress")->isVisible());
    EXPECT_FALSE(configGravada().contains("Empresa="));
    EXPECT_TRUE(previewsMostrados().isEmpty());

    // The window goes on: the next generation works.
    Dialogos::Mostradas().clear();
    gerar();
    ASSERT_EQ(Dialogos::Mostradas().size(), 1);
    EXPECT_EQ(Dialogos::Mostradas().first().texto, ComGerado);
}

TEST_F(JanelaPrincipal, PedidosDuranteUmaGeracaoEsperamOFim) {
    escreverConfig(configValida());
    abrir();
    periodo(QDate(2024, 5, 1), QDate(2024, 5, 31));
    // These fire while the run lets window messages through after its first coupon.
    QTimer::singleShot(0, janela.get(), [this] {
        EXPECT_TRUE(controle<QWidget>("pnlProgress")->isVisible());
        gerar();
        janela->close();
    });
    gerar();

    ASSERT_EQ(Dialogos::Mostradas().size(), 1);
    EXPECT_EQ(Dialogos::Mostradas().first().texto, ComGerado);
    QTest::qWait(50);
    EXPECT_FALSE(janela->isVisible());  // the close asked for during the run came after it
}

// The controls stay live while a run lets window messages through; what the user changes then
// must not reach the second run of "Ambos" nor the choice of its report.
TEST_F(JanelaPrincipal, EscolhasMudadasDuranteAmbosNaoValemParaEssaGeracao) {
    escreverConfig(configValida());
    abrir();
    controle<QRadioButton>("rdAmbos")->setChecked(true);
    periodo(QDate(2024, 5, 1), QDate(2024, 5, 31));
    QTimer::singleShot(0, janela.get(), [this] {
        controle<QLineEdit>("EditEmpresa")->setText("7");  // a company without sales
        periodo(QDate(2024, 1, 1), QDate(2024, 1, 31));
        controle<QRadioButton>("rdDataVencimento")->setChecked(true);
        controle<QRadioButton>("rdComReceita")->setChecked(true);
    });
    gerar();

    ASSERT_EQ(Dialogos::Mostradas().size(), 1);
    EXPECT_EQ(Dialogos::Mostradas().first().texto, ComGerado + "\r\n" + SemGerado);
    EXPECT_EQ(previewsMostrados(),
              QStringList({QString::fromUtf8("Relatório PROMED"), QString::fromUtf8("Relatório PROFARM")}));
    EXPECT_TRUE(QFileInfo::exists(ambiente->saida.filePath("PROMED - COM RECEITA_052024.TXT")));
    EXPECT_FALSE(QFileInfo::exists(ambiente->saida.filePath("PROMED - COM RECEITA_012024.TXT")));
}

TEST_F(JanelaPrincipal, ErroAoAbrirRecusaGeracao) {
    escreverConfig(configValida());
    ambiente->banco.executar("rename table empresa to empresa_fora");
    abrir();
    ambiente->banco.executar("rename table empresa_fora to empresa");
    ASSERT_EQ(Dialogos::Mostradas().size(), 1);
    EXPECT_EQ(Dialogos::Mostradas().first().icone, Dialogos::Icone::Erro);

    Dialogos::Mostradas().clear();
    gerar();
    ASSERT_EQ(Dialogos::Mostradas().size(), 1);
    EXPECT_EQ(Dialogos::Mostradas().first().titulo, QString::fromUtf8("Atenção"));
    EXPECT_TRUE(Dialogos::Mostradas().first().texto.contains("Feche o programa"));
    EXPECT_FALSE(QFileInfo::exists(ambiente->saida.filePath("PROMED - COM RECEITA_052024.TXT")));
}

TEST_F(JanelaPrincipal, TeclasDaJanelaComQualquerFoco) {
    abrir();
    // Shift+F3 inside the company field acts like F3: the generation starts and is refused here.
    controle<QLineEdit>("EditEmpresa")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3, Qt::ShiftModifier);
    ASSERT_EQ(Dialogos::Mostradas().size(), 1);
    EXPECT_TRUE(Dialogos::Mostradas().first().texto.contains("CNPJ da matriz"));

    // F9 opens the settings window, modally; a timer closes it from inside its own event loop.
    bool abriuConfiguracoes = false;
    QTimer relogio;
    relogio.setInterval(10);
    QObject::connect(&relogio, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<TFConfiguracoesQuelvar*>(w); d && d->isVisible()) {
                abriuConfiguracoes = d->isModal();
                d->reject();
            }
    });
    relogio.start();
    controle<QDateEdit>("EditDe")->setFocus();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F9);
    relogio.stop();
    EXPECT_TRUE(abriuConfiguracoes);
    janela->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));

    // Esc closes the window.
    controle<QPushButton>("btnGerar")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(janela->isVisible());
}

}  // namespace

int main(int c, char** v) {
    QApplication a(c, v);
    ::testing::InitGoogleTest(&c, v);
    return RUN_ALL_TESTS();
}
