#include "BancoTeste.h"
#include "ConfiguracaoExportacao.h"
#include "Dialogos.h"
#include "UConfiguracoesQuelvar.h"
#include "UDados.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

void PrintTo(const QString& texto, std::ostream* saida) { *saida << '"' << texto.toStdString() << '"'; }

namespace {

const char* const ArquivoConfiguracao = "ExportacaoQuelvar.ini";

// Branches 1, 2 and 5 are listed; 3 is an office and 4 is deleted.
const char* const Filiais =
    "DELETE FROM filial;\n"
    "INSERT INTO filial (filial_id, nome, cgc, escritorio, apagado) VALUES\n"
    " (1, 'MATRIZ', '12345678000195', 'N', 'N'),\n"
    " (2, 'LOJA CENTRO', '12345678000276', 'N', 'N'),\n"
    " (3, 'ESCRITORIO', '12345678000357', 'S', 'N'),\n"
    " (4, 'LOJA FECHADA', '12345678000438', 'N', 'S'),\n"
    " (5, 'LOJA SÃO JOSÉ', NULL, 'N', 'N');\n";

const char* const CriarTabelaCodigos =
    "CREATE TABLE quelvar_config_filial (filial_id INT(11) NOT NULL DEFAULT 0, "
    "codigo_quelvar VARCHAR(20) NOT NULL DEFAULT '', PRIMARY KEY (filial_id))";

// One database and one settings folder for the whole program, as the window reaches the
// process-wide connection.
struct Ambiente {
    BancoTeste banco;
    PastaConfiguracaoTeste pasta;
    Ambiente() {
        pasta.escreverSistemaZuv(banco.nome());
        TDadosExportacao::Conectar();
    }
};
Ambiente* ambiente = nullptr;

// The window, shown and active, with its controls at hand.
struct Janela {
    TFConfiguracoesQuelvar janela;

    Janela() {
        janela.show();
        janela.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&janela));
    }

    template <typename T = QWidget>
    T* controle(const char* nome) {
        T* c = janela.findChild<T*>(nome);
        EXPECT_NE(c, nullptr) << nome;
        return c;
    }
    QLineEdit* cnpj() { return controle<QLineEdit>("EdCNPJMatriz"); }
    QLineEdit* nome() { return controle<QLineEdit>("EditNome"); }
    QLineEdit* caminho() { return controle<QLineEdit>("EditCaminhoTxt"); }
    QTableView* grade() { return controle<QTableView>("gradeFiliais"); }
    QAbstractItemModel* filiais() { return grade()->model(); }

    void digitarCnpj(const QString& digitos) {
        cnpj()->setFocus();
        cnpj()->setCursorPosition(0);
        QTest::keyClicks(cnpj(), digitos);
    }
    // QTest types ASCII only; the accented names go in as one typed insertion.
    void digitarNome(const QString& texto) {
        nome()->setFocus();
        nome()->insert(texto);
    }
    void escolherPasta(const QString& pasta) {
        Dialogos::ProximaPasta(pasta);
        QTest::mouseClick(controle<QPushButton>("ButtonDiretorio"), Qt::LeftButton);
    }
    // Opens the cell editor of a grid cell and returns it, focused.
    QLineEdit* editarCelula(int linha, int coluna) {
        grade()->setFocus();
        const QModelIndex indice = filiais()->index(linha, coluna);
        grade()->setCurrentIndex(indice);
        grade()->edit(indice);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        EXPECT_NE(editor, nullptr);
        if (editor) editor->selectAll();
        return editor;
    }
    // A key as the user presses it: to whatever has the focus.
    void tecla(Qt::Key k, Qt::KeyboardModifiers modificadores = Qt::NoModifier) {
        QWidget* foco = QApplication::focusWidget();
        QTest::keyClick(foco ? foco : &janela, k, modificadores);
    }
    void preencherValidos() {
        digitarCnpj("12345678000195");
        digitarNome("Farmácia Boa Saúde");
        escolherPasta("/tmp/saida");
    }
    QString celula(int linha, int coluna) { return filiais()->index(linha, coluna).data().toString(); }
};

class ConfiguracoesTeste : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ambiente = new Ambiente; }
    static void TearDownTestSuite() {
        delete ambiente;
        ambiente = nullptr;
    }

    void SetUp() override {
        Dialogos::Simular(true);
        QFile::remove(caminhoArquivo());
        banco().executar("DROP TABLE IF EXISTS quelvar_config_filial");
        banco().executarScript(QString::fromUtf8(Filiais));
    }
    void TearDown() override { Dialogos::Simular(false); }

    static BancoTeste& banco() { return ambiente->banco; }
    static QString caminhoArquivo() { return ambiente->pasta.caminho() + ArquivoConfiguracao; }
    static QString arquivo() {
        QFile f(caminhoArquivo());
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }
    static void escreverArquivo(const QString& conteudo) {
        ambiente->pasta.escreverArquivo(ArquivoConfiguracao, conteudo.toLatin1());
    }
    // "id=code" of every stored row, by id.
    static QString codigos() {
        return banco().valor("SELECT coalesce(group_concat(concat(filial_id, '=', codigo_quelvar) ORDER BY filial_id), '') "
                             "FROM quelvar_config_filial");
    }
    static bool tabelaExiste() {
        return banco().valor("SELECT count(*) FROM information_schema.tables WHERE table_schema = database() "
                             "AND table_name = 'quelvar_config_filial'") == "1";
    }
    static QStringList mensagens() {
        QStringList textos;
        for (const Dialogos::Mensagem& m : Dialogos::Mostradas()) textos << m.texto;
        return textos;
    }
};

TEST_F(ConfiguracoesTeste, AoAbrirCriaATabelaELeArquivoEFiliaisListadas) {
    escreverArquivo("[CONFIG]\r\nDiretorio=/dados/saida/\r\nCNPJMatriz=12345678000195\r\nNomeMatriz=Farmácia Central\r\n");
    ASSERT_FALSE(tabelaExiste());
    Janela j;
    EXPECT_TRUE(mensagens().isEmpty()) << mensagens().join('|').toStdString();
    EXPECT_TRUE(tabelaExiste());
    EXPECT_EQ(j.cnpj()->displayText(), "12.345.678/0001-95");
    EXPECT_EQ(j.nome()->text(), "Farmácia Central");
    EXPECT_EQ(j.caminho()->text(), "/dados/saida/");
    EXPECT_EQ(QApplication::focusWidget(), j.cnpj());

    ASSERT_EQ(j.filiais()->rowCount(), 3);
    ASSERT_EQ(j.filiais()->columnCount(), 3);
    const QStringList esperadas[] = {{"1 - MATRIZ", "12345678000195", ""},
                                     {"2 - LOJA CENTRO", "12345678000276", ""},
                                     {"5 - LOJA SÃO JOSÉ", "", ""}};
    for (int linha = 0; linha < 3; ++linha)
        for (int coluna = 0; coluna < 3; ++coluna)
            EXPECT_EQ(j.celula(linha, coluna), esperadas[linha][coluna]) << linha << "," << coluna;
    EXPECT_EQ(j.grade()->currentIndex().row(), 0);
}

TEST_F(ConfiguracoesTeste, GradeTemOsTitulosLarguraseSoCodigoECnpjEditaveis) {
    Janela j;
    const struct {
        const char* titulo;
        int largura;
        bool editavel;
    } colunas[] = {{"Filial", 240, false}, {"CNPJ", 108, true}, {"Código Quelvar", 88, true}};
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(j.filiais()->headerData(c, Qt::Horizontal).toString(), colunas[c].titulo);
        EXPECT_EQ(j.grade()->columnWidth(c), colunas[c].largura);
        EXPECT_EQ(j.filiais()->index(0, c).flags().testFlag(Qt::ItemIsEditable), colunas[c].editavel) << c;
    }
    EXPECT_EQ(j.filiais()->index(0, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(252, 253, 189));
    EXPECT_TRUE(j.grade()->verticalHeader()->isHidden());
}

TEST_F(ConfiguracoesTeste, AbrirDuasVezesCriaATabelaUmaSoVezERecarrega) {
    {
        Janela primeira;
        EXPECT_TRUE(tabelaExiste());
    }
    banco().executar("INSERT INTO quelvar_config_filial VALUES (2, '0042')");
    escreverArquivo("[CONFIG]\r\nNomeMatriz=Outra\r\n");
    Janela segunda;
    EXPECT_TRUE(mensagens().isEmpty()) << mensagens().join('|').toStdString();
    EXPECT_EQ(codigos(), "2=0042") << "the second opening must not recreate the table";
    EXPECT_EQ(segunda.celula(1, 2), "0042");
    EXPECT_EQ(segunda.nome()->text(), "Outra");
}

TEST_F(ConfiguracoesTeste, CodigoGuardadoComMaisDeQuatroCaracteresApareceCortado) {
    banco().executar(CriarTabelaCodigos);
    banco().executar("INSERT INTO quelvar_config_filial VALUES (1, '123456'), (3, 'OFIC99'), (4, 'APAG')");
    Janela j;
    EXPECT_EQ(j.celula(0, 2), "1234");
}

TEST_F(ConfiguracoesTeste, ValidacaoMostraAMensagemMoveOFocoENaoGravaNada) {
    const struct {
        const char* caso;
        QString cnpj;
        QString nome;
        QString pasta;
        QString mensagem;
        const char* foco;
    } casos[] = {
        {"nothing typed", "", "", "", "Informe o campo \"CNPJ da matriz\".", "EdCNPJMatriz"},
        {"some positions filled", "1234", "Nome", "/tmp", "CNPJ inválido.", "EdCNPJMatriz"},
        {"wrong check digit", "12345678000194", "Nome", "/tmp", "CNPJ inválido.", "EdCNPJMatriz"},
        {"eight digits, wrong check digit", "12345670", "Nome", "/tmp", "CNPJ inválido.", "EdCNPJMatriz"},
        {"blocked value", "11111111111111", "Nome", "/tmp", "CNPJ inválido.", "EdCNPJMatriz"},
        {"blank name", "12345678000195", "   ", "/tmp", "Informe o campo \"Razão social\".", "EditNome"},
        {"no folder", "12345678000195", "Nome", "",
         "Selecione o caminho para armazenar os arquivos \".TXT\".", "ButtonDiretorio"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        Dialogos::Mostradas().clear();
        Janela j;
        if (!caso.cnpj.isEmpty()) j.digitarCnpj(caso.cnpj);
        if (!caso.nome.isEmpty()) j.digitarNome(caso.nome);
        if (!caso.pasta.isEmpty()) j.escolherPasta(caso.pasta);
        j.controle<QLineEdit>("EditNome")->setFocus();
        QTest::mouseClick(j.controle<QPushButton>("btnSalvar"), Qt::LeftButton);

        ASSERT_EQ(Dialogos::Mostradas().size(), 1);
        EXPECT_EQ(Dialogos::Mostradas().first().texto, caso.mensagem);
        EXPECT_EQ(Dialogos::Mostradas().first().titulo, "Atenção");
        EXPECT_EQ(Dialogos::Mostradas().first().icone, Dialogos::Icone::Aviso);
        EXPECT_EQ(QApplication::focusWidget(), j.controle(caso.foco));
        EXPECT_TRUE(j.janela.isVisible());
        EXPECT_FALSE(QFile::exists(caminhoArquivo()));
        EXPECT_EQ(codigos(), "");
    }
}

// A key a control ignores climbs to its parents; the window must act on it once.
TEST_F(ConfiguracoesTeste, F3ComCamposVaziosMostraUmaSoMensagemDeQualquerControle) {
    for (const char* controle : {"EdCNPJMatriz", "EditNome", "EditCaminhoTxt", "ButtonDiretorio", "gradeFiliais",
                                 "btnCancelar"}) {
        SCOPED_TRACE(controle);
        Dialogos::Mostradas().clear();
        Janela j;
        j.controle(controle)->setFocus();
        j.tecla(Qt::Key_F3);
        EXPECT_EQ(mensagens(), QStringList{"Informe o campo \"CNPJ da matriz\"."});
        EXPECT_TRUE(j.janela.isVisible());
    }
}

TEST_F(ConfiguracoesTeste, SalvarGravaAsTresChavesSemApararEUmaLinhaPorFilialListada) {
    escreverArquivo("[CONFIG]\r\nEmpresa=7\r\n");
    banco().executar(CriarTabelaCodigos);
    banco().executar("INSERT INTO quelvar_config_filial VALUES (1, '123456'), (3, 'OFIC99'), (4, 'APAG')");
    Janela j;
    j.digitarCnpj("12345678000195");
    j.digitarNome("  Farmácia Boa Saúde ");
    j.escolherPasta("/tmp/saida");
    QLineEdit* editor = j.editarCelula(1, 2);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "ABCDEF");
    EXPECT_EQ(editor->text(), "ABCD") << "the code editor takes at most 4 characters";
    QTest::keyClick(editor, Qt::Key_Return);
    QLineEdit* editorCnpj = j.editarCelula(0, 1);
    ASSERT_NE(editorCnpj, nullptr);
    QTest::keyClicks(editorCnpj, "99999999999999");
    QTest::keyClick(editorCnpj, Qt::Key_Return);

    j.nome()->setFocus();
    j.tecla(Qt::Key_F3);

    EXPECT_TRUE(mensagens().isEmpty()) << mensagens().join('|').toStdString();
    EXPECT_FALSE(j.janela.isVisible());
    EXPECT_EQ(j.janela.result(), QDialog::Accepted);
    const QString texto = arquivo();
    const QString sep = QDir::separator();
    const QString linhaDiretorio = "Diretorio=" + QDir::toNativeSeparators("/tmp/saida") + sep + "\r\n";
    const int d = texto.indexOf(linhaDiretorio);
    const int c = texto.indexOf("CNPJMatriz=12345678000195\r\n");
    const int n = texto.indexOf("NomeMatriz=  Farmácia Boa Saúde \r\n");
    EXPECT_TRUE(texto.contains("Empresa=7\r\n"));
    EXPECT_GE(d, 0) << texto.toStdString();
    EXPECT_GT(c, d) << texto.toStdString();
    EXPECT_GT(n, c) << texto.toStdString();
    EXPECT_EQ(codigos(), "1=1234,2=ABCD,3=OFIC99,4=APAG,5=") << "offices and deleted branches stay as they were";
    EXPECT_EQ(banco().valor("SELECT cgc FROM filial WHERE filial_id = 1"), "12345678000195");
}

TEST_F(ConfiguracoesTeste, CnpjDeOitoDigitosEhAceitoEGuardadoComAsPosicoesVaziasEmBranco) {
    Janela j;
    j.digitarCnpj("12345674");
    j.digitarNome("Nome");
    j.escolherPasta("/tmp");
    j.tecla(Qt::Key_F3);
    EXPECT_TRUE(mensagens().isEmpty()) << mensagens().join('|').toStdString();
    EXPECT_TRUE(arquivo().contains("CNPJMatriz=12345674      \r\n")) << arquivo().toStdString();
    EXPECT_EQ(ConfiguracaoExportacao::LerCNPJMatriz(), "12345674");
}

TEST_F(ConfiguracoesTeste, F3DentroDeUmaCelulaEmEdicaoGuardaOQueFoiDigitado) {
    Janela j;
    j.preencherValidos();
    QLineEdit* editor = j.editarCelula(2, 2);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "77");
    j.tecla(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_TRUE(mensagens().isEmpty()) << mensagens().join('|').toStdString();
    EXPECT_FALSE(j.janela.isVisible());
    EXPECT_EQ(codigos(), "1=,2=,5=77");
}

TEST_F(ConfiguracoesTeste, CancelarNaoGravaNada) {
    const struct {
        const char* caso;
        std::function<void(Janela&)> cancelar;
    } casos[] = {
        {"button", [](Janela& j) { QTest::mouseClick(j.controle<QPushButton>("btnCancelar"), Qt::LeftButton); }},
        {"Esc in a field", [](Janela& j) { j.tecla(Qt::Key_Escape); }},
        {"Ctrl+Esc in the grid",
         [](Janela& j) {
             j.grade()->setFocus();
             j.tecla(Qt::Key_Escape, Qt::ControlModifier);
         }},
        {"Esc while a code is being edited",
         [](Janela& j) {
             QLineEdit* editor = j.editarCelula(0, 2);
             ASSERT_NE(editor, nullptr);
             QTest::keyClicks(editor, "12");
             j.tecla(Qt::Key_Escape);
         }},
        {"close box", [](Janela& j) { j.janela.close(); }},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        Janela j;
        j.preencherValidos();
        caso.cancelar(j);
        EXPECT_FALSE(j.janela.isVisible());
        EXPECT_EQ(j.janela.result(), QDialog::Rejected);
        EXPECT_FALSE(QFile::exists(caminhoArquivo()));
        EXPECT_EQ(codigos(), "");
        EXPECT_TRUE(mensagens().isEmpty());
    }
}

TEST_F(ConfiguracoesTeste, GradeNaoAcrescentaNemApagaLinhas) {
    Janela j;
    j.grade()->setFocus();
    j.grade()->setCurrentIndex(j.filiais()->index(2, 2));
    for (auto [k, m] : {std::pair{Qt::Key_Insert, Qt::NoModifier}, std::pair{Qt::Key_Down, Qt::NoModifier},
                        std::pair{Qt::Key_Delete, Qt::ControlModifier}}) {
        j.tecla(k, m);
        EXPECT_EQ(j.filiais()->rowCount(), 3) << k;
    }
    EXPECT_FALSE(j.filiais()->insertRows(3, 1));
    EXPECT_FALSE(j.filiais()->removeRows(0, 1));
    EXPECT_TRUE(mensagens().isEmpty());
    j.preencherValidos();
    j.tecla(Qt::Key_F3);
    EXPECT_EQ(codigos(), "1=,2=,5=");
}

TEST_F(ConfiguracoesTeste, FalhaNumReplaceParaNaquelaFilialEMostraOErro) {
    banco().executar(CriarTabelaCodigos);
    banco().executar(
        "CREATE TRIGGER recusa_filial_2 BEFORE INSERT ON quelvar_config_filial FOR EACH ROW "
        "BEGIN IF NEW.filial_id = 2 THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'filial 2 recusada'; END IF; END");
    Janela j;
    j.preencherValidos();
    for (int linha = 0; linha < 3; ++linha) j.filiais()->setData(j.filiais()->index(linha, 2), QString::number(linha + 10));
    j.grade()->setCurrentIndex(j.filiais()->index(2, 1));
    j.tecla(Qt::Key_F3);

    ASSERT_EQ(Dialogos::Mostradas().size(), 1);
    const Dialogos::Mensagem& erro = Dialogos::Mostradas().first();
    EXPECT_TRUE(erro.texto.startsWith("filial 2 recusada")) << erro.texto.toStdString();
    EXPECT_TRUE(erro.texto.endsWith('.'));
    EXPECT_EQ(erro.titulo, QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    EXPECT_EQ(erro.icone, Dialogos::Icone::Erro);
    EXPECT_EQ(codigos(), "1=10") << "the rows before the failing one stay stored, the rest is not tried";
    EXPECT_TRUE(arquivo().contains("CNPJMatriz=12345678000195"));
    EXPECT_TRUE(j.janela.isVisible());
    EXPECT_EQ(j.grade()->currentIndex().row(), 2);
}

TEST_F(ConfiguracoesTeste, ErroAoCarregarFiliaisEhMostradoEAJanelaAbreComOQueCarregou) {
    escreverArquivo("[CONFIG]\r\nNomeMatriz=Farmácia\r\n");
    banco().executar("RENAME TABLE filial TO filial_guardada");
    auto devolver = qScopeGuard([] { banco().executar("RENAME TABLE filial_guardada TO filial"); });
    Janela j;
    ASSERT_EQ(Dialogos::Mostradas().size(), 1);
    EXPECT_TRUE(Dialogos::Mostradas().first().texto.contains("filial")) << mensagens().join('|').toStdString();
    EXPECT_EQ(Dialogos::Mostradas().first().icone, Dialogos::Icone::Erro);
    EXPECT_TRUE(j.janela.isVisible());
    EXPECT_EQ(j.nome()->text(), "Farmácia");
    EXPECT_EQ(j.filiais()->rowCount(), 0);
}

TEST_F(ConfiguracoesTeste, EscolhaDePastaAcrescentaOSeparadorUmaSoVez) {
    const QString sep = QDir::separator();
    const QString raiz = QDir::toNativeSeparators(QDir::rootPath());
    const struct {
        QString escolhida;
        QString esperado;
    } casos[] = {
        {"/tmp/saida", QDir::toNativeSeparators("/tmp/saida") + sep},
        {"/tmp/saida/", QDir::toNativeSeparators("/tmp/saida/")},
        {QDir::rootPath(), raiz},
    };
    Janela j;
    for (const auto& caso : casos) {
        j.escolherPasta(caso.escolhida);
        EXPECT_EQ(j.caminho()->text(), caso.esperado) << caso.escolhida.toStdString();
    }
    QTest::mouseClick(j.controle<QPushButton>("ButtonDiretorio"), Qt::LeftButton);
    EXPECT_EQ(j.caminho()->text(), raiz) << "a cancelled chooser leaves the path as it was";
    EXPECT_TRUE(j.caminho()->isReadOnly());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
