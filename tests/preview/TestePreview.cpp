#include "Dialogos.h"
#include "Erro.h"
#include "RelatoriosCupons.h"
#include "TFPreviewRelatorio.h"
#include "TabelaDados.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TabelaDados cupons(int n) {
    QList<QVariantList> linhas;
    for (int i = 1; i <= n; ++i) {
        linhas.append(QVariantList{QString::number(i), QStringLiteral("BENEFICIÁRIO %1").arg(i), QStringLiteral("0001"), i,
                                   QDateTime(QDate(2024, 5, 1), QTime(8, 0)).addSecs(i), QStringLiteral("2.50")});
    }
    return TabelaDados({"chapa_cliente", "nome_beneficiario", "codigo_quelvar", "numero_documento_fiscal", "datahora",
                        "total_cupom"},
                       linhas);
}

class Previa : public ::testing::Test {
protected:
    void SetUp() override { Dialogos::Simular(true); }
    void TearDown() override {
        Dialogos::Simular(false);
        QApplication::closeAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TFPreviewRelatorio* mostrar(int linhas) {
        PrepararRelatorio(relatorio, QDate(2024, 5, 1), QDate(2024, 5, 31), cupons(linhas));
        TFPreviewRelatorio* janela = TFPreviewRelatorio::Mostrar(relatorio);
        EXPECT_TRUE(QTest::qWaitForWindowActive(janela));
        return janela;
    }

    static QString rotulo(TFPreviewRelatorio* janela) { return janela->findChild<QLabel*>("lblPagina")->text(); }

    static QAction* acao(QWidget* janela, const QString& texto) {
        for (QAction* a : janela->findChildren<QAction*>()) {
            if (a->text() == texto || a->objectName() == texto)
                return a;
        }
        ADD_FAILURE() << "no action " << texto.toStdString();
        return nullptr;
    }

    static int janelasAbertas() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += qobject_cast<TFPreviewRelatorio*>(w) && w->isVisible();
        return n;
    }

    Relatorio relatorio{ModeloRelPromed()};
    QTemporaryDir pasta;
};

TEST_F(Previa, AbreMaximizadaNaoModalNaPrimeiraPagina) {
    TFPreviewRelatorio* janela = mostrar(101);
    EXPECT_TRUE(janela->isVisible());
    EXPECT_TRUE(janela->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(janela->windowModality(), Qt::NonModal);
    EXPECT_EQ(janela->windowTitle(), "Relatório PROMED");
    EXPECT_EQ(rotulo(janela), "Página 1 de 3");
    EXPECT_EQ(janela->zoom(), 1.0);
    EXPECT_EQ(relatorio.janela(), janela);
}

TEST_F(Previa, NavegaPorBotoesETeclas) {
    TFPreviewRelatorio* janela = mostrar(101);
    QWidget* pagina = janela->findChild<QScrollArea*>();
    struct Passo {
        const char* acao;  // a toolbar command, or empty for the key
        Qt::Key tecla;
        int esperada;
    };
    const Passo passos[] = {
        {"Próxima", Qt::Key_unknown, 2}, {"", Qt::Key_PageDown, 3},  {"", Qt::Key_PageDown, 3},
        {"", Qt::Key_Home, 1},           {"", Qt::Key_PageUp, 1},    {"", Qt::Key_End, 3},
        {"", Qt::Key_PageUp, 2},         {"Primeira", Qt::Key_unknown, 1}, {"Anterior", Qt::Key_unknown, 1},
        {"Última", Qt::Key_unknown, 3},  {"Anterior", Qt::Key_unknown, 2},
    };
    for (const Passo& p : passos) {
        if (*p.acao)
            acao(janela, QString::fromUtf8(p.acao))->trigger();
        else
            QTest::keyClick(pagina, p.tecla);
        EXPECT_EQ(janela->paginaAtual(), p.esperada - 1) << p.acao << " " << p.tecla;
        EXPECT_EQ(rotulo(janela), QStringLiteral("Página %1 de 3").arg(p.esperada));
    }
}

TEST_F(Previa, MostrarDeNovoReusaAJanelaComAsNovasPaginas) {
    TFPreviewRelatorio* primeira = mostrar(101);
    primeira->irParaPagina(2);
    TFPreviewRelatorio* segunda = mostrar(3);
    EXPECT_EQ(segunda, primeira);
    EXPECT_EQ(janelasAbertas(), 1);
    EXPECT_EQ(rotulo(segunda), "Página 1 de 1");
    EXPECT_EQ(segunda->paginaAtual(), 0);
}

TEST_F(Previa, FecharLiberaAJanelaEORelatorioEsqueceDela) {
    QPointer<TFPreviewRelatorio> janela = mostrar(3);
    janela->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(janela.isNull());
    EXPECT_EQ(relatorio.janela(), nullptr);

    QPointer<TFPreviewRelatorio> outra = mostrar(3);  // a new window after the old one went
    EXPECT_FALSE(outra.isNull());
    EXPECT_EQ(janelasAbertas(), 1);
}

TEST_F(Previa, JanelaSaiJuntoComORelatorio) {
    QPointer<TFPreviewRelatorio> janela;
    {
        Relatorio outro(ModeloRelProfarma());
        PrepararRelatorio(outro, QDate(2024, 5, 1), QDate(2024, 5, 31), cupons(3));
        janela = TFPreviewRelatorio::Mostrar(outro);
    }
    EXPECT_TRUE(janela.isNull());
}

TEST_F(Previa, RelatorioNaoPreparadoEErro) {
    Relatorio vazio(ModeloRelProfarma());
    EXPECT_THROW(TFPreviewRelatorio::Mostrar(vazio), Erro);
}

bool temCor(const QImage& imagem, QColor cor) {
    for (int y = 0; y < imagem.height(); ++y) {
        for (int x = 0; x < imagem.width(); ++x) {
            if (imagem.pixelColor(x, y) == cor)
                return true;
        }
    }
    return false;
}

TEST_F(Previa, LocalizarMarcaOsAchadosEPercorreComEnterEF3) {
    TFPreviewRelatorio* janela = mostrar(101);
    acao(janela, "Localizar")->trigger();
    auto* campo = janela->findChild<QLineEdit*>("EditLocalizar");
    auto* achados = janela->findChild<QLabel*>("lblAchados");
    ASSERT_TRUE(campo->isVisible());
    EXPECT_TRUE(campo->hasFocus());

    // BENEFICIÁRIO 1, 10 to 19, 100 and 101, whatever the case of the letters typed.
    campo->setText(QStringLiteral("beneficiário 1"));
    EXPECT_EQ(janela->quantidadeAchados(), 13);
    EXPECT_EQ(achados->text(), "1 de 13");

    QWidget* folha = janela->findChild<QScrollArea*>()->widget();
    const QImage imagem = folha->grab().toImage();
    EXPECT_TRUE(temCor(imagem, QColor(255, 150, 50)));   // the current hit
    EXPECT_TRUE(temCor(imagem, QColor(255, 240, 100)));  // the other hits on the page

    QTest::keyClick(campo, Qt::Key_Return);
    EXPECT_EQ(achados->text(), "2 de 13");
    QTest::keyClick(campo, Qt::Key_F3);
    EXPECT_EQ(achados->text(), "3 de 13");
    for (int i = 0; i < 9; ++i)
        QTest::keyClick(campo, Qt::Key_F3);
    EXPECT_EQ(achados->text(), "12 de 13");  // BENEFICIÁRIO 100, on the second page
    EXPECT_EQ(janela->paginaAtual(), 1);
    QTest::keyClick(campo, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(achados->text(), "11 de 13");
    EXPECT_EQ(janela->paginaAtual(), 0);

    janela->Localizar("não existe");
    EXPECT_EQ(janela->quantidadeAchados(), 0);
    EXPECT_EQ(achados->text(), "Nada encontrado");
}

TEST_F(Previa, EscFechaABuscaDepoisAJanela) {
    QPointer<TFPreviewRelatorio> janela = mostrar(3);
    QWidget* pagina = janela->findChild<QScrollArea*>();
    QTest::keyClick(pagina, Qt::Key_F, Qt::ControlModifier);
    auto* campo = janela->findChild<QLineEdit*>("EditLocalizar");
    ASSERT_TRUE(campo->isVisible());
    QTest::keyClick(campo, Qt::Key_Escape);
    EXPECT_FALSE(campo->isVisible());
    EXPECT_TRUE(janela->isVisible());
    QTest::keyClick(janela->focusWidget() ? janela->focusWidget() : janela.data(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(janela.isNull());
}

TEST_F(Previa, ZoomAumentaDiminuiEAjustaAJanela) {
    TFPreviewRelatorio* janela = mostrar(3);
    acao(janela, "Aumentar")->trigger();
    EXPECT_DOUBLE_EQ(janela->zoom(), 1.25);
    acao(janela, "Diminuir")->trigger();
    acao(janela, "Diminuir")->trigger();
    EXPECT_DOUBLE_EQ(janela->zoom(), 0.8);

    auto* rolagem = janela->findChild<QScrollArea*>();
    acao(janela, "Página inteira")->trigger();
    EXPECT_LE(rolagem->widget()->height(), rolagem->viewport()->height());
    EXPECT_LE(rolagem->widget()->width(), rolagem->viewport()->width());
    acao(janela, "Largura da página")->trigger();
    EXPECT_LE(rolagem->widget()->width(), rolagem->viewport()->width());
    EXPECT_GT(rolagem->widget()->width(), rolagem->viewport()->width() - 40);
}

TEST_F(Previa, ExportaParaOArquivoEscolhido) {
    TFPreviewRelatorio* janela = mostrar(3);
    struct Caso {
        const char* acao;
        const char* escolhido;
        const char* gravado;
        QByteArray inicio;
    };
    const Caso casos[] = {
        {"actExportarPDF", "r.pdf", "r.pdf", "%PDF"},
        {"actExportarExcel", "r.xlsx", "r.xlsx", "PK"},
        {"actExportarWord", "r.docx", "r.docx", "PK"},
        {"actExportarTexto", "r.txt", "r.txt", "                         "},
        {"actExportarExcel", "sem-extensao", "sem-extensao.xlsx", "PK"},  // the kind's extension is added
    };
    for (const Caso& c : casos) {
        Dialogos::ProximoArquivo(pasta.filePath(c.escolhido));
        acao(janela, c.acao)->trigger();
        QFile arquivo(pasta.filePath(c.gravado));
        ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly)) << c.gravado;
        EXPECT_TRUE(arquivo.readAll().startsWith(c.inicio)) << c.gravado;
    }
    EXPECT_TRUE(Dialogos::Mostradas().isEmpty());
}

TEST_F(Previa, ExportacaoCanceladaNaoGravaNada) {
    TFPreviewRelatorio* janela = mostrar(3);
    acao(janela, "actExportarPDF")->trigger();  // no answer preloaded: the chooser was cancelled
    EXPECT_TRUE(QDir(pasta.path()).isEmpty());
    EXPECT_TRUE(Dialogos::Mostradas().isEmpty());
}

TEST_F(Previa, FalhaAoExportarMostraOErroSemDeixarArquivo) {
    TFPreviewRelatorio* janela = mostrar(3);
    const QString caminho = pasta.filePath("nao-existe/r.pdf");
    Dialogos::ProximoArquivo(caminho);
    janela->Exportar(FormatoExportacao::Pdf);
    ASSERT_EQ(Dialogos::Mostradas().size(), 1);
    const Dialogos::Mensagem m = Dialogos::Mostradas().first();
    EXPECT_EQ(m.icone, Dialogos::Icone::Erro);
    EXPECT_TRUE(m.texto.contains(QDir::toNativeSeparators(caminho))) << m.texto.toStdString();
    EXPECT_TRUE(QDir(pasta.path()).isEmpty());
    EXPECT_TRUE(janela->isVisible());
}

TEST_F(Previa, OpcoesDaPreviaEscondemOsComandosAusentes) {
    struct Caso {
        OpcoesPrevia opcoes;
        Qt::WindowModality modalidade;
    };
    const Caso casos[] = {
        {{false, BotaoPrevia::Exportar | BotaoPrevia::Zoom | BotaoPrevia::Localizar | BotaoPrevia::Navegar}, Qt::NonModal},
        {{true, BotaoPrevia::Navegar}, Qt::ApplicationModal},
        {{false, BotaoPrevia::Exportar | BotaoPrevia::Localizar}, Qt::NonModal},
    };
    for (const Caso& c : casos) {
        relatorio.modelo().previa = c.opcoes;
        relatorio.Preparar(cupons(3), "r");
        TFPreviewRelatorio* janela = TFPreviewRelatorio::Mostrar(relatorio);
        EXPECT_EQ(janela->windowModality(), c.modalidade);
        EXPECT_EQ(acao(janela, "Aumentar")->isVisible(), c.opcoes.botoes.testFlag(BotaoPrevia::Zoom));
        EXPECT_EQ(acao(janela, "Localizar")->isVisible(), c.opcoes.botoes.testFlag(BotaoPrevia::Localizar));
        EXPECT_EQ(acao(janela, "Próxima")->isVisible(), c.opcoes.botoes.testFlag(BotaoPrevia::Navegar));
        EXPECT_TRUE(acao(janela, "Fechar")->isVisible());
        janela->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace
